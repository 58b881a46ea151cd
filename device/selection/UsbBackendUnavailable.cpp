// Built instead of UsbBackend.cpp when hidapi is not available, so that the
// tool still works with the emulator.
#include "device/selection/UsbBackend.h"

namespace vantrel {

DeviceChoice makeUsbBackend(const std::optional<UsbSelector>& /*selector*/,
                            const std::filesystem::path& /*sysfsRoot*/) {
    return DeviceChoiceResult{DeviceChoiceError::NoUsbSupport, {}};
}

Expected<std::string, DeviceChoiceError> usbPortOf(const UsbSelector& selector) {
    if (selector.kind == UsbSelector::Kind::PortPath) {
        return selector.value;
    }
    return DeviceChoiceResult{DeviceChoiceError::NoUsbSupport, {}};
}

} // namespace vantrel
