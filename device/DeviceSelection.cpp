#include "device/DeviceSelection.h"

#include "device/EmulatedBackend.h"
#include "device/UsbBackend.h"
#include "files/PathText.h"

namespace vantrel {

std::unique_ptr<DeviceBackend> makeDeviceBackend(const std::optional<std::string>& device,
                                                 std::string& error) {
    if (device && device->starts_with(EmulatedPrefix)) {
        return std::make_unique<EmulatedBackend>(
            pathFromUtf8(std::string_view(*device).substr(EmulatedPrefix.size())));
    }
    return makeUsbBackend(error);
}

} // namespace vantrel
