#include "app/MonitorProgram.h"

#include "app/LiveFeed.h"
#include "app/WindowOwnedDialogs.h"
#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "userinterface/ImageLoadMessage.h"
#include "userinterface/UserInterface.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MonitorWindow.h"
#include "windows/frmStatus/StatusProgress.h"

#include <QApplication>
#include <iostream>

namespace vantrel {
namespace {

/// What the window says of a read that gave no configuration: a failed
/// read must not stop the test, so each ends with the way on.
std::string readFailure(const TransferResult& result) {
    std::string cause;
    switch (result.kind) {
    case TransferKind::WriteStartPairFound:
        return "The VANTREL's last write did not finish, so it holds no whole configuration. "
               "Write a configuration to it again, or open a configuration file to test against.";
    case TransferKind::InvalidImage:
        cause = imageLoadMessage(ImageLoadResult::InvalidImage, ImageOrigin::Device).words();
        break;
    case TransferKind::NotFound:
        cause = NotFoundText;
        break;
    case TransferKind::Busy:
        cause = "The VANTREL is in use by another program";
        break;
    case TransferKind::CannotOpen:
        cause = result.device.detail.empty()
                    ? std::string("The VANTREL cannot be opened")
                    : "The VANTREL cannot be opened: " + result.device.detail;
        break;
    default:
        cause = ReadErrorText;
        break;
    }
    return cause + ". Open a configuration file to test against.";
}

} // namespace

LoadedConfiguration readDeviceForTest(HidAccess& hid, const DeviceLockFile& lockFile,
                                      QWidget& owner) {
    LoadedConfiguration loaded;
    DeviceImage image{};
    StatusProgress progress(&owner);
    // While another program has the device, the window stays painted and a
    // terminal is told why nothing happens.
    LockWait wait;
    wait.waiting = [] {
        std::cerr << "vantrel-monitor: waiting for another program to finish with the VANTREL "
                     "(up to 5 seconds)\n";
    };
    wait.meanwhile = [] {
        QCoreApplication::processEvents();
    };
    LockingDevice locked(hid, lockFile, wait);
    TransferContext context{locked, progress};
    const TransferResult result = readImageFromDevice(image, context);
    if (!result.ok()) {
        loaded.error = readFailure(result);
        return loaded;
    }
    const ImageLoadMessage message = imageLoadMessage(
        loadDeviceImage(image, loaded.config, loaded.settings), ImageOrigin::Device);
    if (message.failed) {
        loaded.error = message.words();
    } else if (message.text != nullptr || message.note != nullptr) {
        loaded.warning = message.words();
    }
    return loaded;
}

int runMonitorProgram(HidAccess& hid, const DeviceLockFile& lockFile,
                      const ProgramArguments& arguments) {
    const std::vector<std::string> configs = arguments.valuesOf("--config");
    const std::vector<std::string> logs = arguments.valuesOf("--log");
    if (configs.size() > 1 || logs.size() > 1) {
        std::cerr << "vantrel-monitor: --config and --log can each be given once\n";
        return 2;
    }
    MonitorWindow window;
    WindowOwnedFileDialogs fileDialogs;
    fileDialogs.setOwner(&window);
    InputTestSession session(
        window, {fileDialogs,
                 [&hid, &lockFile, &window] { return readDeviceForTest(hid, lockFile, window); },
                 openLiveFeed});
    window.show();
    if (!logs.empty() && !session.startLog(logs.front())) {
        std::cerr << "vantrel-monitor: " << logs.front() << ": the log cannot be written there\n";
    }
    const bool configured = configs.empty() ? session.readDeviceConfiguration()
                                            : session.openConfiguration(configs.front());
    const std::vector<std::string> recordings = arguments.valuesOf("--events");
    if (!recordings.empty()) {
        session.replay(recordings);
    } else if (configured) {
        session.listen();
    }
    return QApplication::exec();
}

} // namespace vantrel
