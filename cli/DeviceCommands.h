#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/DeviceBackend.h"

// The commands that talk to a device. They go through the same write and
// read procedures as the windows, so the device sees the same reports.
namespace vantrel::cli {

/// Reads the device's configuration and saves it as the windows would after
/// Read and Save; no file is written unless the whole read succeeded and the
/// image decoded completely.
int readCommand(const Invocation& invocation, const Console& console, DeviceBackend& backend);

/// Writes a configuration into the device, after saving the device's current
/// one with --backup, then reads it back to compare unless --no-verify.
int writeCommand(const Invocation& invocation, const Console& console, DeviceBackend& backend);

/// Lists the devices that match; for one that cannot be opened, says how to
/// give the user access.
int devicesCommand(const Invocation& invocation, const Console& console, DeviceBackend& backend);

} // namespace vantrel::cli
