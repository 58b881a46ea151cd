#include "DistributionVolume.h"
#include "MainWindowHarness.h"

#include <QLabel>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::testing;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyWithoutAMessage() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        harness.config.input(3).step(0, Activation) = {KeyTypeKeyboard, 4, true};

        QVERIFY(harness.start());

        QCOMPARE(harness.timeline(), QStringList());
        QCOMPARE(harness.exit.calls, 0);
        // The device is only checked for, not kept open.
        QCOMPARE(device.openCount(), 1);
        QVERIFY(!device.isOpen() && device.reports().empty());
        QCOMPARE(harness.config.input(3), InputMacro{});
        QCOMPARE(harness.control<QLabel>("lblInput", 0).text(), QStringLiteral("Input 1"));
        QCOMPARE(harness.control<QLabel>("lblInput", 107).text(), QStringLiteral("Input 108"));
        for (int i = 0; i < InputCount; ++i) {
            QVERIFY(harness.singleKeyShown(i) && harness.caption(i) == "Not Used");
        }
        QCOMPARE(harness.window->settings(), DeviceSettings{});
    }

    void withoutDeviceOnlyTellsAndEnds() {
        EmulatedDevice device;
        device.setUnplugged(true);
        MainWindowHarness harness(device);
        // The device check comes first: not even the volume warning follows.
        harness.volumeLabel = "VANTREL";

        QVERIFY(!harness.start());

        QCOMPARE(harness.timeline(),
                 rendered({message("     No VANTREL devices detected !\r\n\r\n"
                                   "Click the OK button below, plug the VANTREL\r\n"
                                   "into the USB Port, and restart the program.",
                                   "VANTREL", MessageIcon::Exclamation)}));
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
            expected.push_back(
                message("Warning: The VANTREL programs must be copied to and run\r\n"
                        "from its own folder on the PC's harddrive. The CD itself\r\n"
                        "should be reserved for backup purposes only.",
                        "VANTREL", MessageIcon::Exclamation));
        }
        QCOMPARE(harness.timeline(), rendered(expected));
    }

    void aFolderBelowAVolumeRootHasNoLabel() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("VANTREL")));
        QCOMPARE(volumeLabelAtRoot(folder.filePath(QStringLiteral("VANTREL"))), std::string());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
