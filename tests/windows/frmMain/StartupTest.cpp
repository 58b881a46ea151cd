#include "DistributionVolume.h"
#include "MainWindowHarness.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

const std::string NoDeviceText = "     No VANTREL devices detected !\r\n\r\n"
                                 "Click the OK button below, plug the VANTREL\r\n"
                                 "into the USB Port, and restart the program.";
const std::string VolumeWarningText = "Warning: The VANTREL programs must be copied to and run\r\n"
                                      "from its own folder on the PC's harddrive. The CD itself\r\n"
                                      "should be reserved for backup purposes only.";

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithEmptyConfigurationAndNoMessage() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        harness.config.input(3).step(0, Activation) = {KeyTypeKeyboard, 4, true};

        QVERIFY(harness.start());

        QCOMPARE(harness.timeline(), QStringList());
        QCOMPARE(harness.exit.calls, 0);
        // The device is only checked, not kept open.
        QCOMPARE(device.openCount(), 1);
        QVERIFY(!device.isOpen());
        QVERIFY(device.reports().empty());
        QCOMPARE(harness.config.input(3), InputMacro{});
        QCOMPARE(harness.control<QLabel>("lblInput", 0).text(), QStringLiteral("Input 1"));
        QCOMPARE(harness.control<QLabel>("lblInput", 107).text(), QStringLiteral("Input 108"));
        for (int i = 0; i < InputCount; ++i) {
            QCOMPARE(harness.caption(i), QStringLiteral("Not Used"));
            QVERIFY(harness.singleKeyShown(i));
        }
        QCOMPARE(harness.window->settings(), DeviceSettings{});
        QCOMPARE(harness.window->scrollLayout().RowsHeight, 59940);
        QCOMPARE(harness.window->scrollLayout().ScrollUnit, 111);
    }

    void withoutDeviceOnlyTellsAndEnds() {
        EmulatedDevice device;
        device.setUnplugged(true);
        MainWindowHarness harness(device);
        // The device check comes first: not even the volume warning follows.
        harness.volumeLabel = "VANTREL";

        QVERIFY(!harness.start());

        QCOMPARE(harness.timeline(),
                 rendered({message(NoDeviceText, "VANTREL", MessageIcon::Exclamation)}));
        QCOMPARE(harness.exit.calls, 1);
        QVERIFY(!harness.window->isVisible());
    }

    void warnsOnlyOnTheDistributionVolume_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("warned");
        QTest::newRow("the volume") << "VANTREL" << true;
        QTest::newRow("word among others") << "VANTREL Setup 1.58" << true;
        QTest::newRow("other letter case") << "Vantrel Setup" << false;
        QTest::newRow("not a volume root") << "" << false;
        QTest::newRow("another volume") << "BACKUP" << false;
    }
    void warnsOnlyOnTheDistributionVolume() {
        QFETCH(QString, label);
        QFETCH(bool, warned);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        harness.volumeLabel = label.toStdString();

        QVERIFY(harness.start());

        std::vector<UserEvent> expected;
        if (warned) {
            expected.push_back(message(VolumeWarningText, "VANTREL", MessageIcon::Exclamation));
        }
        QCOMPARE(harness.timeline(), rendered(expected));
        QCOMPARE(harness.exit.calls, 0);
    }

    void aFolderBelowAVolumeRootHasNoLabel() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("VANTREL")));
        QCOMPARE(volumeLabelAtRoot(folder.path() + QStringLiteral("/VANTREL")), std::string());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
