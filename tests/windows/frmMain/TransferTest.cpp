#include "ConfigurationFile.h"
#include "DeviceImage.h"
#include "MainWindowHarness.h"
#include "ModelBuilders.h"
#include "frmStatus.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <random>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;
constexpr std::uint8_t KeyC = 6;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The settings as the controls show them.
DeviceSettings settingsShown(const MainWindowHarness& harness) {
    DeviceSettings shown;
    const auto checked = [&harness](const QString& name) {
        return harness.control<QAbstractButton>(name).isChecked();
    };
    shown.ReverseX = checked(QStringLiteral("chkReverseX"));
    shown.ReverseY = checked(QStringLiteral("chkReverseY"));
    shown.ReverseSpinner = checked(QStringLiteral("chkReverseSpinner"));
    for (std::uint8_t option = 0; option < 3; ++option) {
        if (harness.control<QAbstractButton>("optSpinner", option).isChecked()) {
            shown.Spinner = option;
        }
    }
    for (int k = 0; k < JoystickAxisCount; ++k) {
        shown.Joystick.at(static_cast<std::size_t>(k)) =
            harness.control<QAbstractButton>("chkJoystick", k).isChecked();
    }
    for (int s = 0; s < RotarySwitchCount; ++s) {
        const auto index = [&harness, s](const char* list) {
            return static_cast<std::uint8_t>(harness.control<QComboBox>(list, s).currentIndex());
        };
        shown.Rotary.at(static_cast<std::size_t>(s)) = {
            index("lstMaximumRate"), index("lstDivisor"), index("lstBufferOverflow")};
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
        config.input(4) = macroOf({keyDown(KeyA), keyUp(KeyA), keyDown(KeyB), keyUp(KeyB)});
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
        QCOMPARE(settingsShown(first), settings);
        QVERIFY(!first.singleKeyShown(4));
        QCOMPARE(first.caption(4), QStringLiteral("(A, A, ...)"));

        first.dialogs.choose(saved.toStdString());
        first.trigger("mnuSave");
        QCOMPARE(fileBytes(saved), fileBytes(original));

        first.trigger("mnuWrite");
        QCOMPARE(rendered({first.user.messages().back()}),
                 rendered({message("The configuration was successfully saved to the device",
                                   "VANTREL", MessageIcon::None)}));

        MainWindowHarness second(device);
        QVERIFY(second.start());
        second.trigger("mnuRead");
        QCOMPARE(second.shownAssignments(), first.shownAssignments());
        QCOMPARE(second.config.InputMacros, config.InputMacros);
        QCOMPARE(second.config.RotaryKeys, config.RotaryKeys);
        QCOMPARE(settingsShown(second), settings);
        QVERIFY(!second.config.ConfigChanged);
    }

    void failedReadLeavesEveryRowAsItWas() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, KeyA, 0);
        harness.trigger("mnuWrite");
        harness.window->setKey(0, KeyTypeKeyboard, KeyB, 0);
        harness.window->setKeyboardOnly(3, KeyC, 0);
        const Configuration before = harness.config;
        const QStringList shownBefore = harness.shownAssignments();
        // Exchanges: start pair, two trailer reads, then the data blocks.
        const int length = device.memory()[0xFC1] * 256 + device.memory()[0xFC2];
        device.failExchange(2 + (length + 7) / 8);
        harness.user.clear();

        harness.user.answerNext(MessageAnswer::No);
        harness.trigger("mnuRead");

        QCOMPARE(rendered({harness.user.messages().back()}),
                 rendered({message("Error while reading from the VANTREL",
                                   "VANTREL Configuration Utility", MessageIcon::Stop)}));
        QCOMPARE(harness.shownAssignments(), shownBefore);
        QCOMPARE(harness.config.InputMacros, before.InputMacros);
        QCOMPARE(harness.config.RotaryKeys, before.RotaryKeys);
        QVERIFY(!device.isOpen());
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
        harness.window->setKey(0, KeyTypeKeyboard, KeyA, 0);
        harness.user.answerNext(MessageAnswer::No); // the read's save question
        bool tried = false;
        bool editableDuringTransfer = true;
        harness.duringStatus = [&] {
            editableDuringTransfer = harness.window->centralWidget()->isEnabled();
            if (tried) {
                return;
            }
            tried = true;
            for (const char* item :
                 {"mnuWrite", "mnuRead", "mnuNew", "mnuOpen", "mnuSave", "mnuExit", "mnuAbout"}) {
                harness.trigger(item);
            }
            harness.window->close();
            harness.window->cmdKey_Click(0);
            harness.window->cmdRotaryKey_Click(0);
        };

        harness.trigger(qPrintable(transfer));

        QVERIFY(tried);
        QVERIFY(!editableDuringTransfer);
        QVERIFY(harness.window->centralWidget()->isEnabled());
        QCOMPARE(device.openCount(), 2); // the start-up check and this transfer
        QCOMPARE(harness.user.count(UserEvent::Kind::Show), 1);
        QCOMPARE(harness.user.messages().size(), std::size_t{transfer == "mnuRead" ? 2U : 1U});
        QVERIFY(harness.dialogs.requests().empty());
        QVERIFY(harness.editors.opened.empty());
        QCOMPARE(harness.exit.calls, 0);
        QCOMPARE(harness.aboutShown, 0);
    }

    void progressWindowStandsOverTheMainWindowDuringAWrite() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        harness.realProgressWindow = true;
        QVERIFY(harness.start());
        QStringList shown;
        harness.duringStatus = [&harness, &shown] {
            const auto windows = harness.window->findChildren<frmStatus*>();
            QCOMPARE(windows.size(), 1);
            QVERIFY(windows[0]->isVisible());
            shown << windows[0]->findChild<QLabel*>()->text();
        };

        harness.trigger("mnuWrite");

        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.front(), QStringLiteral("Writing configuration - 0%\nWriting data - 0%"));
        QVERIFY(harness.window->findChildren<frmStatus*>().isEmpty());
    }
};

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
