#include "app/ConfigurationProgram.h"
#include "device/hidapi/HidapiDevice.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/hidapi/ScriptedHid.h"

#include <QtTest>
#include <cerrno>
#include <functional>

namespace vantrel {
namespace {

using namespace testing;

const QString Stop = QStringLiteral("VANTREL Configuration Utility (stop) | ");

/// What each scripted failure does to the channel; the exchange it hits is
/// the read's second trailer report, which the small configuration reaches.
/// How every fault is classed is the tool's test (UsbToolTest); here, that
/// the window words each class: a refused open, a failed exchange, none.
const std::vector<std::function<void(ScriptedHidDevice&)>> Faults = {
    [](ScriptedHidDevice& device) { device.openError = EACCES; },
    [](ScriptedHidDevice& device) { device.answer = HidAnswer::Short; },
    [](ScriptedHidDevice& device) { device.staleReport = true; },
};

/// A configuration program over scripted devices in place of hidapi's
/// library, the device and its lock file given as the program gives them.
struct UsbProgram {
    TemporaryFolder folder;
    ScriptedHid hid{folder.path, {ScriptedHidDevice{}}};
    HidapiDevice device;
    ConfigurationProgram program{device, [this] {
                                     return device.lockFile();
                                 }};

    QString said(void (frmMain::*command)()) {
        QString shown;
        recordNextMessage(shown);
        (program.window().*command)();
        return shown;
    }
};

} // namespace

/// The main window's Write and Read on the hidapi backend's own code.
class UsbProgramTest : public QObject {
    Q_OBJECT
private slots:
    void eachFailureShowsTheWindowsWords_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("read");
        const QString notFound = Stop + "The VANTREL was not found";
        const QString writeError = Stop + "Error while writing to the VANTREL";
        const QString readError = Stop + "Error while reading from the VANTREL";
        const auto row = [](const char* name, int fault, const QString& write,
                            const QString& read) {
            QTest::newRow(name) << fault << write << read;
        };
        row("no permission", 0, notFound, notFound);
        row("short", 1, writeError, readError);
        row("a stale report waits", 2,
            "VANTREL | The configuration was successfully saved to the device",
            "VANTREL | The configuration was successfully read from the device");
    }
    void eachFailureShowsTheWindowsWords() {
        QFETCH(int, fault);
        QFETCH(QString, write);
        QFETCH(QString, read);
        for (const bool writing : {true, false}) {
            UsbProgram usb;
            QVERIFY(usb.program.start());
            if (!writing) {
                QVERIFY(usb.said(&frmMain::mnuWrite_Click).contains("successfully"));
            }
            ScriptedHidDevice& device = usb.hid.device(0);
            device.faultAt = 2;
            Faults.at(static_cast<std::size_t>(fault))(device);
            QCOMPARE(usb.said(writing ? &frmMain::mnuWrite_Click : &frmMain::mnuRead_Click),
                     writing ? write : read);
        }
    }

    // The lock is taken on the node of the interface a transfer opens: with
    // another program holding it, Write waits for it, then gives up without
    // sending anything.
    void aTransferWaitsOutAnotherProgramHoldingTheDevicesNode() {
        UsbProgram usb;
        OtherProgram other({usb.hid.node(0, 3), false});
        QVERIFY(usb.program.start());
        QVERIFY(other.tryToTake());
        QCOMPARE(usb.said(&frmMain::mnuWrite_Click), Stop + "The VANTREL was not found");
        QVERIFY(usb.hid.devices()[0].memory->reports().empty());
        other.end();
        QVERIFY(usb.said(&frmMain::mnuWrite_Click).contains("successfully saved"));
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::UsbProgramTest)
#include "UsbProgramTest.moc"
