#include "tests/support/ModalWindows.h"
#include "windows/platform/QtFileDialogs.h"
#include "windows/platform/QtMessagePrompter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using vantrel::MessageAnswer;
using vantrel::MessageButtons;
using vantrel::MessageIcon;
using vantrel::testing::whenModal;
using Box = QMessageBox;

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTheTextAndAnswersTheButton() {
        const Box::StandardButtons yesNo = Box::Yes | Box::No;
        const struct {
            MessageIcon icon;
            MessageButtons buttons;
            Box::Icon qtIcon;
            Box::StandardButtons qtButtons;
            Box::StandardButton click; ///< NoButton: close the box with Esc
            MessageAnswer answer;
        } cases[] = {
            {MessageIcon::Stop, MessageButtons::Ok, Box::Critical, Box::Ok, Box::Ok,
             MessageAnswer::Ok},
            {MessageIcon::Exclamation, MessageButtons::YesNo, Box::Warning, yesNo, Box::No,
             MessageAnswer::No},
            {MessageIcon::None, MessageButtons::YesNoCancel, Box::NoIcon, yesNo | Box::Cancel,
             Box::Yes, MessageAnswer::Yes},
            // Closing the save question must keep the work, never throw it away.
            {MessageIcon::None, MessageButtons::YesNoCancel, Box::NoIcon, yesNo | Box::Cancel,
             Box::NoButton, MessageAnswer::Cancel},
            {MessageIcon::None, MessageButtons::YesNo, Box::NoIcon, yesNo, Box::NoButton,
             MessageAnswer::No},
        };
        // The box shows the line break without its carriage return.
        const QString shownText = QStringLiteral("The current configuration has changed.\n"
                                                 "Do you want to save the changes?");
        for (const auto& c : cases) {
            QWidget owner;
            QStringList shown;
            whenModal<Box>({}, [&](Box& box) {
                shown << box.windowTitle() << box.text()
                      << (box.parentWidget() == &owner ? "over its owner" : "elsewhere")
                      << QString::number(box.icon())
                      << QString::number(box.standardButtons().toInt(), 16);
                if (c.click == Box::NoButton) {
                    QTest::keyClick(&box, Qt::Key_Escape);
                } else {
                    QTest::mouseClick(box.button(c.click), Qt::LeftButton);
                }
            });

            const MessageAnswer given = vantrel::QtMessagePrompter(&owner).showMessage(
                "The current configuration has changed.\r\nDo you want to save the changes?",
                "VANTREL Configuration Utility", c.icon, c.buttons);

            QCOMPARE(given, c.answer);
            QCOMPARE(shown, QStringList({"VANTREL Configuration Utility", shownText,
                                         "over its owner", QString::number(c.qtIcon),
                                         QString::number(c.qtButtons.toInt(), 16)}));
        }
    }

    void saveDialogOffersTheNameListsEveryFileAndCreatesANewOne() {
        QTemporaryDir folder;
        for (const char* name : {"Config", "old.cfg"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList shown;
        QStringList listed;
        whenModal<QFileDialog>({}, [&](QFileDialog& dialog) {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            shown << dialog.windowTitle() << name->text()
                  << dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText()
                  << (dialog.testOption(QFileDialog::DontConfirmOverwrite) ? "no confirmation"
                                                                           : "confirms");
            // The folder is read in the background: wait for both names.
            auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
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
        // In the system's own spelling: with backslashes on Windows.
        QCOMPARE(QString::fromStdString(chosen.value_or("")),
                 QDir::toNativeSeparators(folder.filePath("new.cfg")));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
