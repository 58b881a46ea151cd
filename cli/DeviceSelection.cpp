#include "DeviceSelection.h"

#include "CommandLine.h"
#include "EmulatedBackend.h"
#include "UsbBackend.h"

namespace vantrel::cli {

std::unique_ptr<DeviceBackend> makeDeviceBackend(const std::optional<std::string>& spec,
                                                 std::string& error) {
    if (spec && spec->starts_with(EmulatedPrefix)) {
        return std::make_unique<EmulatedBackend>(spec->substr(EmulatedPrefix.size()));
    }
    return makeUsbBackend(error);
}

} // namespace vantrel::cli
