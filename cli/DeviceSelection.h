#pragma once

#include "DeviceBackend.h"

#include <memory>
#include <optional>
#include <string>

namespace vantrel::cli {

/// Makes the backend --device names: "emulated:PATH" or, without a value,
/// the device on USB. The value has been checked by the command line.
[[nodiscard]] std::unique_ptr<DeviceBackend>
makeDeviceBackend(const std::optional<std::string>& device, std::string& error);

} // namespace vantrel::cli
