#include "device/UsbDeviceChoice.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Kind = UsbSelector::Kind;

TEST(UsbSelector, ReadsWhatFollowsUsbByItsShape) {
    const std::vector<std::pair<std::string, std::optional<UsbSelector>>> cases = {
        {"2", UsbSelector{Kind::Number, "2"}},
        {"012", UsbSelector{Kind::Number, "12"}},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"/dev/hidraw3", UsbSelector{Kind::Path, "/dev/hidraw3"}},
        {"1-4", UsbSelector{Kind::PortPath, "1-4"}},
        {"1-4.2.10", UsbSelector{Kind::PortPath, "1-4.2.10"}}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(parseUsbSelector(text), expected) << text;
    }
    // Not quite a port: these can only be serial numbers.
    for (const std::string serial : {"1-4.", "1-", "-4", "1-4:1.0", "A5X-0001"}) {
        EXPECT_EQ(parseUsbSelector(serial), (UsbSelector{Kind::SerialNumber, serial})) << serial;
    }
}

HidDeviceInfo interface(const std::string& path, const std::string& port,
                        const std::string& serial = {}) {
    HidDeviceInfo info;
    info.path = path;
    info.portPath = port;
    info.serialNumber = serial;
    return info;
}

TEST(UsbDevices, GroupsInterfacesByPortAndNumbersThemInNodeOrder) {
    // In the order they are tried: configuration channels first.
    const std::vector<UsbDevice> devices = groupUsbDevices({
        interface("/dev/hidraw11", "1-4.2", "P2"),
        interface("/dev/hidraw2", "1-3", "P1"),
        interface("/dev/hidraw9", "1-4.2", "P2"),
        interface("/dev/hidraw1", "1-3", "P1"),
        interface("/dev/hidraw10", ""),
    });
    ASSERT_EQ(devices.size(), 3U);
    EXPECT_EQ(devices[0].main().path, "/dev/hidraw2") << "first tried, though not lowest";
    EXPECT_EQ(devices[0].interfaces.size(), 2U);
    EXPECT_EQ(devices[1].main().path, "/dev/hidraw11") << "hidraw9 comes before hidraw10";
    EXPECT_EQ(devices[2].main().path, "/dev/hidraw10");

    // Each selector and the number of the device it picks (0: none).
    const std::vector<std::pair<UsbSelector, int>> choices = {
        {{Kind::Number, "1"}, 1},           {{Kind::Number, "3"}, 3},
        {{Kind::Number, "4"}, 0},           {{Kind::Path, "/dev/hidraw9"}, 2},
        {{Kind::Path, "/dev/hidraw10"}, 3}, {{Kind::Path, "/dev/hidraw3"}, 0},
        {{Kind::PortPath, "1-4.2"}, 2},     {{Kind::PortPath, "1-4"}, 0},
        {{Kind::SerialNumber, "P1"}, 1},    {{Kind::SerialNumber, "p1"}, 0}};
    for (const auto& [selector, number] : choices) {
        const UsbDevice* chosen = chooseUsbDevice(devices, selector);
        EXPECT_EQ(chosen == nullptr ? 0 : chosen->number, number) << selector.value;
    }
    EXPECT_EQ(lastingSelector(devices[1]), (UsbSelector{Kind::PortPath, "1-4.2"}));
    EXPECT_EQ(lastingSelector(devices[2]), (UsbSelector{Kind::Path, "/dev/hidraw10"}));
}

TEST(UsbDevices, FindsThePortInTheSysfsPathOfAnInterface) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4.2/1-4.2:1.0/0003:1234:0108.0004",
         "1-4.2"},
        {"/sys/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1:1.1/0003:1234:0108.0002", "3-1"},
        {"/sys/devices/virtual/misc/uhid/0003:1234:0108.0001", ""},
    };
    for (const auto& [path, port] : cases) {
        EXPECT_EQ(portPathFromSysfs(path), port) << path;
    }
}

} // namespace
} // namespace vantrel
