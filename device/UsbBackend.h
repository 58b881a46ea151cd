#pragma once

#include "device/DeviceBackend.h"

#include <memory>
#include <string>

namespace vantrel {

/// The device on USB. Returns nullptr and sets `error` when this build has
/// no USB support.
[[nodiscard]] std::unique_ptr<DeviceBackend> makeUsbBackend(std::string& error);

} // namespace vantrel
