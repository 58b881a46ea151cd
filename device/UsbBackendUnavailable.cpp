// Built instead of UsbBackend.cpp when hidapi is not available, so that the
// tool still works with the emulator.
#include "device/UsbBackend.h"

namespace vantrel {

std::unique_ptr<DeviceBackend> makeUsbBackend(const std::optional<UsbSelector>& /*selector*/,
                                              std::string& error) {
    error = "this vantrelctl was built without USB support; use --device emulated:PATH";
    return nullptr;
}

} // namespace vantrel
