#include "device/selection/DeviceSelection.h"

#include "device/selection/EmulatedBackend.h"
#include "device/selection/UsbBackend.h"
#include "files/PathText.h"

namespace vantrel {

bool isDeviceName(std::string_view device) {
    if (device.starts_with(EmulatedPrefix)) {
        return device.size() > EmulatedPrefix.size();
    }
    return device.starts_with(UsbPrefix) &&
           parseUsbSelector(device.substr(UsbPrefix.size())).has_value();
}

DeviceChoice makeDeviceBackend(const std::optional<std::string>& device) {
    return makeDeviceBackendUnder(SystemSysfsRoot, device);
}

DeviceChoice makeDeviceBackendUnder(const std::filesystem::path& sysfsRoot,
                                    const std::optional<std::string>& device) {
    if (device && device->starts_with(EmulatedPrefix)) {
        return std::make_unique<EmulatedBackend>(
            pathFromUtf8(std::string_view(*device).substr(EmulatedPrefix.size())));
    }
    std::optional<UsbSelector> selector;
    if (device) {
        selector = parseUsbSelector(std::string_view(*device).substr(UsbPrefix.size()));
    }
    return makeUsbBackend(selector, sysfsRoot);
}

} // namespace vantrel
