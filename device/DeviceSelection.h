#pragma once

#include "device/DeviceBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

/// What --device takes before the path of the emulator's memory file.
constexpr std::string_view EmulatedPrefix = "emulated:";

/// Makes the backend --device names: "emulated:PATH" or, without a value,
/// the device on USB. The value has been checked by the command line.
[[nodiscard]] std::unique_ptr<DeviceBackend>
makeDeviceBackend(const std::optional<std::string>& device, std::string& error);

} // namespace vantrel
