#pragma once

#include "device/hidapi/HidapiDevice.h"

#include <vector>

namespace vantrel {

/// True when a matching device is attached but none of them opens because
/// this user lacks permission; false when the device is missing, opens, or
/// fails for another reason, so that the start-up's own message stands alone.
[[nodiscard]] bool lockedOut(const std::vector<HidDeviceInfo>& devices);

} // namespace vantrel
