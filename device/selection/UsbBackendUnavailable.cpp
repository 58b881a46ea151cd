// Built instead of UsbBackend.cpp when hidapi is not available, so that the
// tool still works with the emulator.
#include "device/selection/UsbBackend.h"

namespace vantrel {

std::unique_ptr<DeviceBackend> makeUsbBackend(const std::optional<UsbSelector>& /*selector*/,
                                              DeviceChoiceResult& result,
                                              const std::filesystem::path& /*sysfsRoot*/) {
    result = {DeviceChoiceError::NoUsbSupport, {}};
    return nullptr;
}

std::string usbPortOf(const UsbSelector& selector, DeviceChoiceResult& result) {
    if (selector.kind == UsbSelector::Kind::PortPath) {
        return selector.value;
    }
    result = {DeviceChoiceError::NoUsbSupport, {}};
    return {};
}

} // namespace vantrel
