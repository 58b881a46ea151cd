#pragma once

#include "device/DeviceBackend.h"
#include "device/UsbDeviceChoice.h"

#include <memory>
#include <optional>
#include <string>

namespace vantrel {

/// The device on USB: the one the selector names, or without one the first
/// that opens. Returns nullptr and sets `error` when this build has no USB
/// support or no attached device matches the selector.
[[nodiscard]] std::unique_ptr<DeviceBackend>
makeUsbBackend(const std::optional<UsbSelector>& selector, std::string& error);

} // namespace vantrel
