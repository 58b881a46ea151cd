#pragma once

#include "device/UsbDeviceChoice.h"
#include "device/selection/DeviceBackend.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vantrel {

/// The device on USB: the one the selector names, or without one the first
/// that opens. Fails when this build has no USB support or no attached
/// device matches the selector. The ports the devices are on are read from
/// sysfs under `sysfsRoot`.
[[nodiscard]] DeviceChoice makeUsbBackend(const std::optional<UsbSelector>& selector,
                                          const std::filesystem::path& sysfsRoot = SystemSysfsRoot);

/// The USB port of the attached device the selector names ("1-4.1"), which
/// also names its input event nodes. Fails when no such device is attached,
/// its port is unknown or this build has no USB support.
[[nodiscard]] Expected<std::string, DeviceChoiceError> usbPortOf(const UsbSelector& selector);

} // namespace vantrel
