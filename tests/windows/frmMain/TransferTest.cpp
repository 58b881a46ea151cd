#include "ConfigurationFile.h"
#include "MainWindowHarness.h"
#include "ModelBuilders.h"

#include <QTemporaryDir>
#include <random>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The check boxes, options and lists of the settings frames, in one text.
QString settingsShown(const MainWindowHarness& harness) {
    QString shown;
    for (QAbstractButton* button : harness.window->findChildren<QAbstractButton*>()) {
        if (button->objectName().startsWith("chk") || button->objectName().startsWith("optSp")) {
            shown += button->isChecked() ? '1' : '0';
        }
    }
    for (const QComboBox* list : harness.window->findChildren<QComboBox*>()) {
        shown += QString::number(list->currentIndex());
    }
    return shown;
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void configurationTravelsThroughFileAndDeviceIntoAFreshWindow() {
        QTemporaryDir folder;
        const QString original = folder.filePath(QStringLiteral("original.cfg"));
        const QString saved = folder.filePath(QStringLiteral("saved.cfg"));
        std::mt19937 random(1558);
        Configuration config = randomConfiguration(random);
        config.input(4) = macroOf({keyDown(4), keyUp(4), keyDown(5), keyUp(5)});
        const DeviceSettings settings = randomSettings(random);
        DeviceImage image{};
        QVERIFY(buildDeviceImage(image, config, settings));
        QVERIFY(writeConfigurationFile(original.toStdString(), image).ok());

        EmulatedDevice device;
        MainWindowHarness first(device);
        QVERIFY(first.start());
        first.dialogs.choose(original.toStdString());
        first.trigger("mnuOpen");
        QCOMPARE(first.config.InputMacros, config.InputMacros);
        QCOMPARE(first.window->settings(), settings);
        QVERIFY(!first.singleKeyShown(4));
        QCOMPARE(first.caption(4), QStringLiteral("(A, A, ...)"));

        first.dialogs.choose(saved.toStdString());
        first.trigger("mnuSave");
        QCOMPARE(fileBytes(saved), fileBytes(original));
        first.trigger("mnuWrite");
        QCOMPARE(first.messages().back(),
                 rendered({message("The configuration was successfully saved to the device",
                                   "VANTREL", MessageIcon::None)})
                     .front());

        MainWindowHarness second(device);
        QVERIFY(second.start());
        second.trigger("mnuRead");
        QCOMPARE(second.shownAssignments(), first.shownAssignments());
        QCOMPARE(settingsShown(second), settingsShown(first));
        QCOMPARE(second.window->settings(), settings);
        QCOMPARE(second.config.RotaryKeys, config.RotaryKeys);
    }

    void failedReadLeavesEveryRowAsItWas() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, 4, 0);
        harness.trigger("mnuWrite");
        harness.window->setKey(0, KeyTypeKeyboard, 5, 0);
        harness.window->setKeyboardOnly(3, 6, 0);
        const QStringList shownBefore = harness.shownAssignments();
        const auto recordsBefore = harness.config.InputMacros;
        // Exchanges: the start pair, two trailer reads, then the data blocks;
        // the last data block fails.
        const int length = device.memory()[0xFC1] * 256 + device.memory()[0xFC2];
        device.failExchange(2 + (length + 7) / 8);

        harness.user.answerNext(MessageAnswer::No);
        harness.trigger("mnuRead");

        QCOMPARE(harness.messages().back(),
                 rendered({message("Error while reading from the VANTREL",
                                   "VANTREL Configuration Utility", MessageIcon::Stop)})
                     .front());
        QCOMPARE(harness.shownAssignments(), shownBefore);
        QCOMPARE(harness.config.InputMacros, recordsBefore);
    }

    void aRunningTransferIgnoresEveryOtherCommand_data() {
        QTest::addColumn<QString>("transfer");
        QTest::newRow("write") << "mnuWrite";
        QTest::newRow("read") << "mnuRead";
    }
    void aRunningTransferIgnoresEveryOtherCommand() {
        QFETCH(QString, transfer);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, 4, 0);
        harness.user.answerNext(MessageAnswer::No); // the read's save question
        int updates = 0;
        int editableUpdates = 0;
        harness.duringStatus = [&] {
            editableUpdates += harness.window->centralWidget()->isEnabled() ? 1 : 0;
            if (updates++ > 0) {
                return;
            }
            for (const char* item :
                 {"mnuWrite", "mnuRead", "mnuNew", "mnuOpen", "mnuSave", "mnuExit", "mnuAbout"}) {
                harness.trigger(item);
            }
            harness.window->close();
            harness.window->cmdKey_Click(0);
            harness.window->cmdRotaryKey_Click(0);
        };

        harness.trigger(transfer);

        QVERIFY(updates > 0);
        QCOMPARE(editableUpdates, 0);
        QVERIFY(harness.window->centralWidget()->isEnabled());
        QCOMPARE(device.openCount(), 2); // the start-up check and this transfer
        QCOMPARE(harness.user.count(UserEvent::Kind::Show), 1);
        QCOMPARE(harness.messages().size(), transfer == "mnuRead" ? 2 : 1);
        QVERIFY(harness.dialogs.requests().empty() && harness.editors.opened.empty());
        QCOMPARE(harness.exit.calls + harness.aboutShown, 0);
    }
};

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
