#include "QtMessagePrompter.h"

#include "WhenModal.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using vantrel::MessageAnswer;
using vantrel::MessageButtons;
using vantrel::MessageIcon;
using vantrel::QtMessagePrompter;
using vantrel::testing::whenModal;

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

class QtMessagePrompterTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheBoxAndAnswersTheClickedButton_data();
    void showsTheBoxAndAnswersTheClickedButton();
    void escapeAnswersCancelOrNo_data();
    void escapeAnswersCancelOrNo();
    void putsTheLinesOfAMessageOneUnderTheOther();
};

void QtMessagePrompterTest::showsTheBoxAndAnswersTheClickedButton_data() {
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("qtIcon");
    QTest::addColumn<QMessageBox::StandardButtons>("qtButtons");
    QTest::addColumn<QMessageBox::StandardButton>("click");
    QTest::addColumn<MessageAnswer>("answer");

    const QMessageBox::StandardButtons yesNoCancel =
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QTest::newRow("stop, ok") << MessageIcon::Stop << MessageButtons::Ok << QMessageBox::Critical
                              << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
                              << MessageAnswer::Ok;
    QTest::newRow("exclamation, yes/no: no")
        << MessageIcon::Exclamation << MessageButtons::YesNo << QMessageBox::Warning
        << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::No << MessageAnswer::No;
    QTest::newRow("none, yes/no/cancel: yes")
        << MessageIcon::None << MessageButtons::YesNoCancel << QMessageBox::NoIcon << yesNoCancel
        << QMessageBox::Yes << MessageAnswer::Yes;
    QTest::newRow("none, yes/no/cancel: cancel")
        << MessageIcon::None << MessageButtons::YesNoCancel << QMessageBox::NoIcon << yesNoCancel
        << QMessageBox::Cancel << MessageAnswer::Cancel;
}

void QtMessagePrompterTest::showsTheBoxAndAnswersTheClickedButton() {
    QFETCH(MessageIcon, icon);
    QFETCH(MessageButtons, buttons);
    QFETCH(QMessageBox::Icon, qtIcon);
    QFETCH(QMessageBox::StandardButtons, qtButtons);
    QFETCH(QMessageBox::StandardButton, click);
    QFETCH(MessageAnswer, answer);

    QWidget owner;
    QtMessagePrompter prompter(&owner);
    QString title;
    QString text;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    QWidget* shownParent = nullptr;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        shownParent = box->parentWidget();
        QTest::mouseClick(box->button(click), Qt::LeftButton);
    });

    const MessageAnswer given =
        prompter.showMessage("Error saving file", "VANTREL Configuration Utility", icon, buttons);

    QCOMPARE(given, answer);
    QCOMPARE(title, QStringLiteral("VANTREL Configuration Utility"));
    QCOMPARE(text, QStringLiteral("Error saving file"));
    QCOMPARE(shownIcon, qtIcon);
    QCOMPARE(shownButtons, qtButtons);
    QCOMPARE(shownParent, &owner);
}

void QtMessagePrompterTest::escapeAnswersCancelOrNo_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("ok") << MessageButtons::Ok << MessageAnswer::Ok;
    QTest::newRow("yes/no") << MessageButtons::YesNo << MessageAnswer::No;
    QTest::newRow("yes/no/cancel") << MessageButtons::YesNoCancel << MessageAnswer::Cancel;
}

void QtMessagePrompterTest::escapeAnswersCancelOrNo() {
    QFETCH(MessageButtons, buttons);
    QFETCH(MessageAnswer, answer);

    QtMessagePrompter prompter(nullptr);
    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });

    QCOMPARE(prompter.showMessage("Question?", "VANTREL", MessageIcon::None, buttons), answer);
}

void QtMessagePrompterTest::putsTheLinesOfAMessageOneUnderTheOther() {
    QtMessagePrompter prompter(nullptr);
    QString text;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });

    prompter.showMessage(
        "The current configuration has changed.\r\nDo you want to save the changes?",
        "VANTREL Configuration Utility", MessageIcon::None, MessageButtons::YesNoCancel);

    QCOMPARE(text, QStringLiteral("The current configuration has changed.\n"
                                  "Do you want to save the changes?"));
}

QTEST_MAIN(QtMessagePrompterTest)
#include "QtMessagePrompterTest.moc"
