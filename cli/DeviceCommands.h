#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
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
