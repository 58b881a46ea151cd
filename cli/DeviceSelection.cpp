#include "DeviceSelection.h"

#include "CommandLine.h"
#include "EmulatedBackend.h"
#include "PathText.h"
#include "UsbBackend.h"

namespace vantrel::cli {

std::unique_ptr<DeviceBackend> makeDeviceBackend(const std::optional<std::string>& device,
                                                 std::string& error) {
    if (device && device->starts_with(EmulatedPrefix)) {
        return std::make_unique<EmulatedBackend>(
            pathFromUtf8(std::string_view(*device).substr(EmulatedPrefix.size())));
    }
    return makeUsbBackend(error);
}

} // namespace vantrel::cli
