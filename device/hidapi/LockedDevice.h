#pragma once

#include "device/hidapi/HidapiDevice.h"

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

/// Why the program cannot reach a device that is there: one line when a
/// matching device is attached but none of them opens because this user
/// lacks permission; nothing when the device is missing, opens, or fails
/// for another reason, so that the start-up's own message stands alone.
[[nodiscard]] std::optional<std::string>
lockedDeviceReason(const std::vector<HidDeviceInfo>& devices, bool packagedRuleInstalled);

} // namespace vantrel
