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
using Button = QMessageBox::StandardButton;

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

class QtMessagePrompterTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheBoxAndAnswersTheButton_data();
    void showsTheBoxAndAnswersTheButton();
};

void QtMessagePrompterTest::showsTheBoxAndAnswersTheButton_data() {
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("qtIcon");
    QTest::addColumn<QMessageBox::StandardButtons>("qtButtons");
    QTest::addColumn<Button>("click"); ///< NoButton: close the box with Esc
    QTest::addColumn<MessageAnswer>("answer");

    const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
    const QMessageBox::StandardButtons yesNoCancel = yesNo | QMessageBox::Cancel;
    QTest::newRow("stop, OK") << MessageIcon::Stop << MessageButtons::Ok << QMessageBox::Critical
                              << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
                              << MessageAnswer::Ok;
    QTest::newRow("exclamation, No")
        << MessageIcon::Exclamation << MessageButtons::YesNo << QMessageBox::Warning << yesNo
        << QMessageBox::No << MessageAnswer::No;
    QTest::newRow("none, Yes") << MessageIcon::None << MessageButtons::YesNoCancel
                               << QMessageBox::NoIcon << yesNoCancel << QMessageBox::Yes
                               << MessageAnswer::Yes;
    // Closing the save question must keep the work, never throw it away.
    QTest::newRow("Esc on yes/no/cancel")
        << MessageIcon::None << MessageButtons::YesNoCancel << QMessageBox::NoIcon << yesNoCancel
        << QMessageBox::NoButton << MessageAnswer::Cancel;
    QTest::newRow("Esc on yes/no")
        << MessageIcon::None << MessageButtons::YesNo << QMessageBox::NoIcon << yesNo
        << QMessageBox::NoButton << MessageAnswer::No;
}

void QtMessagePrompterTest::showsTheBoxAndAnswersTheButton() {
    QFETCH(MessageIcon, icon);
    QFETCH(MessageButtons, buttons);
    QFETCH(QMessageBox::Icon, qtIcon);
    QFETCH(QMessageBox::StandardButtons, qtButtons);
    QFETCH(Button, click);
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
        if (click == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(box->button(click), Qt::LeftButton);
        }
    });

    const MessageAnswer given = prompter.showMessage(
        "The current configuration has changed.\r\nDo you want to save the changes?",
        "VANTREL Configuration Utility", icon, buttons);

    QCOMPARE(given, answer);
    QCOMPARE(title, QStringLiteral("VANTREL Configuration Utility"));
    QCOMPARE(text, QStringLiteral("The current configuration has changed.\n"
                                  "Do you want to save the changes?"));
    QCOMPARE(shownIcon, qtIcon);
    QCOMPARE(shownButtons, qtButtons);
    QCOMPARE(shownParent, &owner);
}

QTEST_MAIN(QtMessagePrompterTest)
#include "QtMessagePrompterTest.moc"
