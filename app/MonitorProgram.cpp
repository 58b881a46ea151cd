#include "app/MonitorProgram.h"

#include "app/LiveFeed.h"
#include "app/WindowOwnedDialogs.h"
#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "files/ImageLoadMessage.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MonitorWindow.h"
#include "windows/frmStatus/StatusProgress.h"

#include <QApplication>
#include <iostream>

namespace vantrel {
namespace {

/// Keeps what the read would tell in a message box, for the window to say
/// in its notice instead: a failed read must not stop the test.
class KeptMessages final : public MessagePrompter {
public:
    MessageAnswer showMessage(const std::string& text, const std::string& /*title*/,
                              MessageIcon icon, MessageButtons buttons) override {
        if (icon != MessageIcon::None) {
            last = text;
        }
        return quietAnswer(buttons);
    }

    std::string last;
};

std::string readFailure(TransferResult result, const std::string& told) {
    switch (result) {
    case TransferResult::UnfinishedWrite:
        return "The VANTREL's last write did not finish, so it holds no whole configuration. "
               "Write a configuration to it again, or open a configuration file to test against.";
    case TransferResult::InvalidConfiguration:
        return imageLoadMessage(ImageLoadResult::InvalidImage, ImageOrigin::Device).words() +
               ". Open a configuration file to test against.";
    default:
        return (told.empty() ? std::string("The VANTREL could not be read") : told) +
               ". Open a configuration file to test against.";
    }
}

} // namespace

LoadedConfiguration readDeviceForTest(HidAccess& hid, const DeviceLockFile& lockFile,
                                      QWidget& owner) {
    LoadedConfiguration loaded;
    DeviceImage image{};
    StatusProgress progress(&owner);
    KeptMessages messages;
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
    TransferContext context{locked, progress, messages};
    const TransferResult result = readImageFromDevice(image, context);
    if (result != TransferResult::Succeeded) {
        loaded.error = readFailure(result, messages.last);
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
