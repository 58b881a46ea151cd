#include "app/MonitorProgram.h"

#include "app/LiveFeed.h"
#include "app/WindowOwnedDialogs.h"
#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "userinterface/ImageLoadMessage.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MonitorWindow.h"
#include "windows/MonitorWindow/SessionLog.h"
#include "windows/frmStatus/StatusProgress.h"
#include "windows/frmStatus/TransferLockWait.h"

#include <QApplication>
#include <iostream>

namespace vantrel {

DeviceConfigurationRead readDeviceForTest(HidAccess& hid, const DeviceLockFile& lockFile,
                                          QWidget& owner) {
    StatusProgress progress(&owner);
    LockingDevice locked(hid, lockFile, transferLockWait("vantrel-monitor: "));
    TransferContext context{locked, progress};
    ImageRead read = readImageFromDevice(context);
    if (!read.ok()) {
        return read.failure();
    }
    LoadedConfiguration loaded;
    loaded.form = ConfigurationForm::Image;
    loaded.decoding = loadDeviceImage(read.value(), loaded.config, loaded.settings);
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
    const std::vector<std::string> recordings = arguments.valuesOf("--events");
    // Checked before anything is opened: the log is made afresh at once.
    if (!logs.empty()) {
        const LogOverInput replaced =
            logOverInput(logs.front(), configs.empty() ? "" : configs.front(), recordings);
        if (!replaced.ok()) {
            std::cerr << "vantrel-monitor: " << logOverInputText("--log " + logs.front(), replaced)
                      << '\n';
            return 2;
        }
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
    if (!recordings.empty()) {
        session.replay(recordings);
    } else if (configured) {
        session.listen();
    }
    return QApplication::exec();
}

} // namespace vantrel
