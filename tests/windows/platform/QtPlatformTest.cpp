#include "windows/platform/QtFileDialogs.h"
#include "windows/platform/QtMessagePrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using vantrel::MessageAnswer;
using vantrel::MessageButtons;
using vantrel::MessageIcon;
using Box = QMessageBox;

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

/// Runs `act` on the modal dialog of type T as soon as it is up. Queue it
/// before the call that blocks in the dialog.
template <typename T>
void whenModal(std::function<void(T*)> act) {
    QTimer::singleShot(0, [act = std::move(act)]() mutable {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(dialog);
        } else {
            whenModal<T>(std::move(act));
        }
    });
}

} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTheTextAndAnswersTheButton_data() {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<Box::Icon>("qtIcon");
        QTest::addColumn<Box::StandardButtons>("qtButtons");
        QTest::addColumn<Box::StandardButton>("click"); ///< NoButton: close the box with Esc
        QTest::addColumn<MessageAnswer>("answer");

        const Box::StandardButtons yesNo = Box::Yes | Box::No;
        const Box::StandardButtons yesNoCancel = yesNo | Box::Cancel;
        QTest::newRow("stop, OK") << MessageIcon::Stop << MessageButtons::Ok << Box::Critical
                                  << Box::StandardButtons(Box::Ok) << Box::Ok << MessageAnswer::Ok;
        QTest::newRow("exclamation, No") << MessageIcon::Exclamation << MessageButtons::YesNo
                                         << Box::Warning << yesNo << Box::No << MessageAnswer::No;
        QTest::newRow("none, Yes") << MessageIcon::None << MessageButtons::YesNoCancel
                                   << Box::NoIcon << yesNoCancel << Box::Yes << MessageAnswer::Yes;
        // Closing the save question must keep the work, never throw it away.
        QTest::newRow("Esc on yes/no/cancel")
            << MessageIcon::None << MessageButtons::YesNoCancel << Box::NoIcon << yesNoCancel
            << Box::NoButton << MessageAnswer::Cancel;
        QTest::newRow("Esc on yes/no") << MessageIcon::None << MessageButtons::YesNo << Box::NoIcon
                                       << yesNo << Box::NoButton << MessageAnswer::No;
    }
    void messageBoxShowsTheTextAndAnswersTheButton() {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(Box::Icon, qtIcon);
        QFETCH(Box::StandardButtons, qtButtons);
        QFETCH(Box::StandardButton, click);
        QFETCH(MessageAnswer, answer);
        QWidget owner;
        QStringList shown;
        Box::Icon shownIcon = Box::NoIcon;
        Box::StandardButtons shownButtons;
        whenModal<Box>([&](Box* box) {
            shown << box->windowTitle() << box->text()
                  << (box->parentWidget() == &owner ? "over its owner" : "elsewhere");
            shownIcon = box->icon();
            shownButtons = box->standardButtons();
            if (click == Box::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box->button(click), Qt::LeftButton);
            }
        });

        const MessageAnswer given = vantrel::QtMessagePrompter(&owner).showMessage(
            "The current configuration has changed.\r\nDo you want to save the changes?",
            "VANTREL Configuration Utility", icon, buttons);

        QCOMPARE(given, answer);
        QCOMPARE(shown, QStringList({"VANTREL Configuration Utility",
                                     "The current configuration has changed.\n"
                                     "Do you want to save the changes?",
                                     "over its owner"}));
        QCOMPARE(shownIcon, qtIcon);
        QCOMPARE(shownButtons, qtButtons);
    }

    void saveDialogOffersTheNameListsEveryFileAndCreatesANewOne() {
        QTemporaryDir folder;
        for (const char* name : {"Config", "old.cfg"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList shown;
        QStringList listed;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            shown << dialog->windowTitle() << name->text()
                  << dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText()
                  << (dialog->testOption(QFileDialog::DontConfirmOverwrite) ? "no confirmation"
                                                                            : "confirms");
            // The folder is read in the background: wait for both names.
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            static_cast<void>(QTest::qWaitFor([&] {
                listed.clear();
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
                }
                return listed.size() >= 2;
            }));
            name->setText(QStringLiteral("new.cfg"));
            QTest::keyClick(name, Qt::Key_Return);
        });

        const auto chosen = vantrel::QtFileDialogs(nullptr).getSaveFileName(
            {"Save File", folder.path().toStdString(),
             folder.filePath(QStringLiteral("Config.cfg")).toStdString(), "All Files (*.*)", "*.*",
             true});

        QCOMPARE(shown, QStringList({"Save File", "Config.cfg", "All Files (*.*)", "confirms"}));
        listed.sort();
        QCOMPARE(listed, QStringList({"Config", "old.cfg"}));
        QCOMPARE(QString::fromStdString(chosen.value_or("")), folder.filePath("new.cfg"));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
