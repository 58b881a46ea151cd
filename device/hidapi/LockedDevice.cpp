#include "device/hidapi/LockedDevice.h"

#include "device/UdevRule.h"

#include <algorithm>

namespace vantrel {

std::optional<std::string> lockedDeviceReason(const std::vector<HidDeviceInfo>& devices,
                                              bool packagedRuleInstalled) {
    const auto opens = [](const HidDeviceInfo& device) {
        return device.opens();
    };
    const auto denied = [](const HidDeviceInfo& device) {
        return device.openResult == DeviceFailure::NoPermission;
    };
    if (std::any_of(devices.begin(), devices.end(), opens) ||
        std::none_of(devices.begin(), devices.end(), denied)) {
        return std::nullopt;
    }
    return permissionProblem("The VANTREL", packagedRuleInstalled);
}

} // namespace vantrel
