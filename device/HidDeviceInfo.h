#pragma once

#include "device/HidAccess.h"

#include <cstdint>
#include <string>

namespace vantrel {

/// One attached HID interface that could be the device.
struct HidDeviceInfo {
    std::string path; ///< the platform's name for it, as hid_open_path takes it
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string manufacturer; ///< UTF-8; empty when the device gives none
    std::string product;      ///< UTF-8; empty when the device gives none
    std::string serialNumber; ///< UTF-8; empty when the device gives none
    /// The USB port the device is plugged into ("1-4.2": bus 1, port 4 of the
    /// root hub, port 2 of the hub there); empty where the system does not say.
    std::string portPath;
    int interfaceNumber = -1; ///< USB interface, -1 when the platform does not say
    std::uint16_t usagePage = 0;
    /// What opening it for reading and writing gave just now: DeviceSuccess;
    /// DeviceFailure::NoPermission when this user may not (on Linux, no read
    /// and write access to its hidraw node); otherwise DeviceFailure::NotFound.
    DeviceStatus openResult = DeviceFailure::NotFound;
    std::string openError; ///< the HID library's words for a failed open

    [[nodiscard]] bool opens() const { return openResult == DeviceSuccess; }
};

} // namespace vantrel
