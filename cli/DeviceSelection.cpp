#include "DeviceSelection.h"

#include "CommandLine.h"
#include "EmulatedBackend.h"
#include "UsbBackend.h"

namespace vantrel::cli {

std::unique_ptr<DeviceBackend> makeDeviceBackend(const std::optional<std::string>& device,
                                                 std::string& error) {
    if (device && device->starts_with(EmulatedPrefix)) {
        return std::make_unique<EmulatedBackend>(device->substr(EmulatedPrefix.size()));
    }
    return makeUsbBackend(error);
}

} // namespace vantrel::cli
