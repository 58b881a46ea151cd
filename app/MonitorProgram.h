#pragma once

#include "app/ProgramArguments.h"
#include "device/DeviceLock.h"
#include "device/HidAccess.h"
#include "windows/MonitorWindow/InputTestSession.h"

#include <QWidget>
#include <array>

namespace vantrel {

/// The input test's own options.
inline constexpr std::array<ProgramOption, 5> MonitorOptions{{
    {"--config", "FILE",
     "test against this configuration (device image or JSON) instead of\n"
     "the attached device's"},
    {"--events", "FILE",
     "replay a recording (evemu-record's text) instead of the attached\n"
     "device; may be given more than once"},
    {"--log", "FILE", "write the monitor's lines and the summary to FILE"},
    {"--learn", "LAYOUT",
     "start Learn Wiring with this layout (the recordings of --events\n"
     "stand for the panel when given)"},
    {"--emulated", "FILE",
     "use the device emulator, its memory kept in FILE, instead of the\n"
     "attached device"},
}};

/// Reads the attached device's configuration with the read that refuses a
/// device whose last write did not finish, under the device's lock (named
/// by `lockFile`), showing its progress over `owner`.
[[nodiscard]] DeviceConfigurationRead
readDeviceForTest(HidAccess& hid, const DeviceLockFile& lockFile, QWidget& owner);

/// Writes a configuration (its file's own bytes when it has them) into the
/// attached device under its lock, for Learn Wiring.
[[nodiscard]] TransferResult writeDeviceForTest(HidAccess& hid, const DeviceLockFile& lockFile,
                                                QWidget& owner, const LoadedConfiguration& loaded);

/// The input test over one device: the configuration from --config or
/// the device, the events from --events or the encoders' event devices,
/// the log from --log. Needs the QApplication to exist.
int runMonitorProgram(HidAccess& hid, const DeviceLockFile& lockFile,
                      const ProgramArguments& arguments);

} // namespace vantrel
