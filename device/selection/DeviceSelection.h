#pragma once

#include "device/selection/DeviceBackend.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

/// What --device takes before the path of the emulator's memory file.
constexpr std::string_view EmulatedPrefix = "emulated:";
/// What --device takes before the number, node, port or serial number of a
/// device on USB.
constexpr std::string_view UsbPrefix = "usb:";

/// True when --device can name this: "emulated:PATH" or "usb:WHICH".
[[nodiscard]] bool isDeviceName(std::string_view device);

/// Makes the backend --device names: "emulated:PATH", "usb:WHICH" or,
/// without a value, the first device on USB. The value has been checked with
/// isDeviceName. Fails when the device cannot be reached at all.
[[nodiscard]] DeviceChoice makeDeviceBackend(const std::optional<std::string>& device);

/// The same, with the USB ports read from sysfs under `sysfsRoot`: for tests,
/// which stand a tree of their own in for the system's.
[[nodiscard]] DeviceChoice makeDeviceBackendUnder(const std::filesystem::path& sysfsRoot,
                                                  const std::optional<std::string>& device);

} // namespace vantrel
