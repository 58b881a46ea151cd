// Built instead of UsbBackend.cpp when hidapi is not available, so that the
// tool still works with the emulator.
#include "device/selection/UsbBackend.h"

namespace vantrel {

std::unique_ptr<DeviceBackend> makeUsbBackend(const std::optional<UsbSelector>& /*selector*/,
                                              std::string& error) {
    error = "this vantrelctl was built without USB support; use --device emulated:PATH";
    return nullptr;
}

std::string usbPortOf(const UsbSelector& selector, std::string& error) {
    if (selector.kind == UsbSelector::Kind::PortPath) {
        return selector.value;
    }
    error = "this vantrelctl was built without USB support; name the device by its port "
            "(usb:1-4.2)";
    return {};
}

} // namespace vantrel
