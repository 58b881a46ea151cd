#include "device/hidapi/LockedDevice.h"

#include <algorithm>

namespace vantrel {

bool lockedOut(const std::vector<HidDeviceInfo>& devices) {
    const auto opens = [](const HidDeviceInfo& device) {
        return device.opens();
    };
    const auto denied = [](const HidDeviceInfo& device) {
        return device.openResult == DeviceFailure::NoPermission;
    };
    return std::none_of(devices.begin(), devices.end(), opens) &&
           std::any_of(devices.begin(), devices.end(), denied);
}

} // namespace vantrel
