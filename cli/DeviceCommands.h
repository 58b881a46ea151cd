#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/DeviceLock.h"
#include "device/selection/DeviceBackend.h"
#include "formats/ConfigurationSource.h"
#include "model/modSettings.h"

// The commands that talk to a device. They go through the same write and
// read procedures as the windows, so the device sees the same reports.
namespace vantrel::cli {

/// Reads the device's configuration and saves it as the windows would after
/// Read and Save; no file is written unless the whole read succeeded and the
/// image decoded completely.
int readCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices);

/// Writes a configuration into each device named (or the first on USB),
/// after saving the device's current one with --backup, then reads it back
/// to compare unless --no-verify. Fails when any device failed.
int writeCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices);

/// Reads the device's configuration as `read` does, with its progress;
/// nothing after telling why not.
[[nodiscard]] std::optional<Configuration> readDeviceConfiguration(const Console& console,
                                                                   DeviceBackend& backend);

/// Reads the configuration the device holds, with the checked read `read`
/// uses, as a command's source in place of a FILE; nothing after telling why
/// (a write that did not finish, no configuration, a failed read).
[[nodiscard]] std::optional<LoadedConfiguration>
readDeviceSource(const std::string& device, const Console& console,
                 const DeviceBackendFactory& devices);

/// Keeps other programs off the device until `lock` is let go, as write
/// does; false after telling the user why it cannot be had.
[[nodiscard]] bool holdDeviceForWriting(DeviceBackend& backend, const Console& console,
                                        DeviceLock& lock);

/// What the checked read found on a device held for the command.
enum class DeviceHolding {
    Image,   ///< `image` is what it holds, whole
    Nothing, ///< no configuration, or its last write was cut off
    Failed,  ///< the user was told why
};
struct DeviceContents {
    DeviceHolding holding = DeviceHolding::Failed;
    DeviceImage image{};
};
/// Reads the device with the read that `read` uses; `step` names its lines.
[[nodiscard]] DeviceContents readDeviceContents(const Console& console, DeviceBackend& backend,
                                                const std::string& step);

/// Writes the configuration (its file's own bytes when it has them) and
/// reads it back to compare; `step` names the lines of what went wrong.
[[nodiscard]] bool writeVerified(const LoadedConfiguration& loaded, const Console& console,
                                 DeviceBackend& backend, const std::string& step);

/// The line for a device found holding the wiring probe: what it is, and
/// how to restore the newest backup learn kept.
[[nodiscard]] std::string probeLeftLine(const Console& console);

/// Lists the devices that match; for one that cannot be opened, says how to
/// give the user access.
int devicesCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices);

/// The backend of one device (nothing: the first on USB); nothing after
/// telling the user why it cannot be reached.
[[nodiscard]] std::unique_ptr<DeviceBackend> reachDevice(const std::optional<std::string>& device,
                                                         const Console& console,
                                                         const DeviceBackendFactory& devices);

} // namespace vantrel::cli
