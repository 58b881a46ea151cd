#pragma once

#include "device/HidDeviceInfo.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Telling several attached devices apart. One device shows up as several HID
// interfaces (keyboard, mouse, joystick, its configuration channel); a person
// thinks of the box, so the interfaces are grouped into devices and the
// devices numbered.
namespace vantrel {

/// Where the system's sysfs is mounted, which tells the USB port of each
/// device; tests give a tree of their own instead.
constexpr const char* SystemSysfsRoot = "/sys";

/// What follows "usb:" in --device: which attached device is meant.
struct UsbSelector {
    enum class Kind {
        Number,       ///< digits only: the device's number, from 1
        Path,         ///< holds a "/": the path of one of its interfaces (/dev/hidraw3)
        PortPath,     ///< "B-P[.P...]": the USB port it is plugged into
        SerialNumber, ///< anything else
    };
    Kind kind = Kind::Number;
    std::string value;

    friend bool operator==(const UsbSelector&, const UsbSelector&) = default;
};

/// Reads the text after "usb:"; nothing for an empty text or the number 0.
[[nodiscard]] std::optional<UsbSelector> parseUsbSelector(std::string_view text);

/// One attached device with its HID interfaces, in the order they are tried
/// when it is opened (its configuration channel first).
struct UsbDevice {
    int number = 0; ///< from 1, in the order of the interfaces' nodes
    std::vector<HidDeviceInfo> interfaces;

    /// The interface a transfer opens first: the one to name it by.
    [[nodiscard]] const HidDeviceInfo& main() const { return interfaces.front(); }
    [[nodiscard]] bool matches(const UsbSelector& selector) const;
};

/// Groups interfaces (in the order they are tried) into devices: those on
/// the same USB port are one device; where the port is unknown, each
/// interface stands alone. Devices are numbered in the order of their
/// lowest node ("/dev/hidraw2" before "/dev/hidraw10").
[[nodiscard]] std::vector<UsbDevice> groupUsbDevices(const std::vector<HidDeviceInfo>& interfaces);

/// The device the selector names, or nullptr.
[[nodiscard]] const UsbDevice* chooseUsbDevice(const std::vector<UsbDevice>& devices,
                                               const UsbSelector& selector);

/// A selector that keeps naming the same device while devices come and go:
/// its port where known, otherwise the path of its main interface.
[[nodiscard]] UsbSelector lastingSelector(const UsbDevice& device);

/// The USB port path in a resolved sysfs path of a HID interface
/// (".../usb1/1-4/1-4.2/1-4.2:1.0/0003:1234:0108.0004" gives "1-4.2");
/// empty when it holds none.
[[nodiscard]] std::string portPathFromSysfs(std::string_view sysfsPath);

} // namespace vantrel
