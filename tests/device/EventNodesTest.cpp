#include "device/EventNodes.h"

#include "generated/BuildConfig.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::writeFile;

// A sysfs tree as the kernel lays it out: class/input/eventN links into the
// device hierarchy, where the USB device's folder holds idVendor and idProduct.
struct FakeSysfs {
    TemporaryFolder root;

    void addUsbEvent(const std::string& usb, const std::string& product, const std::string& event) {
        const fs::path device = root.path / "devices/pci0000:00/usb1" / usb;
        fs::create_directories(device);
        writeFile(device / "idProduct", product + "\n");
        writeFile(device / "idVendor", vendor() + "\n");
        link(device / (usb + ":1.0/0003:1209:0108.0001/input/input7") / event, event);
    }
    void link(const fs::path& target, const std::string& event) {
        fs::create_directories(target);
        fs::create_directories(root.path / "class/input");
        fs::create_directory_symlink(target, root.path / "class/input" / event);
    }
    static std::string vendor() {
        std::array<char, 8> hex{};
        std::snprintf(hex.data(), hex.size(), "%04x",
                      build::VendorId == 0 ? 0x1209U : unsigned{build::VendorId});
        return hex.data();
    }
};

TEST(EventNodes, findsTheEncodersNodesOnlyGroupedByPort) {
    FakeSysfs sysfs;
    sysfs.addUsbEvent("1-4.2", "0108", "event9");
    sysfs.addUsbEvent("1-4.1", "0108", "event5");
    sysfs.addUsbEvent("1-4.2", "0108", "event8");
    sysfs.addUsbEvent("1-3", "c52b", "event3");
    sysfs.addUsbEvent("1-4.1", "0108", "event10");
    // More nodes on one port than the order a folder lists them in could sort by chance.
    sysfs.addUsbEvent("1-4.1", "0108", "event11");
    sysfs.addUsbEvent("1-4.1", "0108", "event4");
    sysfs.link(sysfs.root.path / "devices/platform/i8042/serio0/input/input1/event0", "event0");
    sysfs.link(sysfs.root.path / "devices/virtual/input/input9/mouse0", "mouse0");
    using Nodes = std::vector<fs::path>;
    EXPECT_EQ(encoderEventNodes(sysfs.root.path, "/dev/input"),
              (Nodes{"/dev/input/event4", "/dev/input/event5", "/dev/input/event8",
                     "/dev/input/event9", "/dev/input/event10", "/dev/input/event11"}));
    const std::vector<EncoderEventNodes> encoders =
        encoderEventNodesByPort(sysfs.root.path, "/dev/input");
    ASSERT_EQ(encoders.size(), 2U);
    EXPECT_EQ(encoders[0].portPath, "1-4.1");
    EXPECT_EQ(encoders[0].nodes, (Nodes{"/dev/input/event4", "/dev/input/event5",
                                        "/dev/input/event10", "/dev/input/event11"}));
    EXPECT_EQ(encoders[1].portPath, "1-4.2");
    EXPECT_EQ(encoders[1].nodes, (Nodes{"/dev/input/event8", "/dev/input/event9"}));
    const TemporaryFolder empty;
    EXPECT_TRUE(encoderEventNodes(empty.path).empty()) << "no input class, no nodes";
}

} // namespace
} // namespace vantrel
