#include "cli/Commands.h"
#include "cli/TransferWords.h"
#include "device/UdevRule.h"
#include "device/hidapi/HidapiDevice.h"
#include "device/selection/DeviceSelection.h"
#include "files/ConfigurationFile.h"
#include "tests/cli/InProcessRun.h"
#include "tests/support/LimitConfiguration.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/hidapi/ScriptedHid.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

// The tool over the hidapi backend's own code, with hidapi's library
// replaced by scripted devices: choosing one, its transfers, and how each
// way a device fails reaches the user.
namespace vantrel::cli {
namespace {

using namespace vantrel::testing;

class UsbTool : public ::testing::Test {
protected:
    UsbTool() {
        DeviceImage image{};
        EXPECT_TRUE(buildDeviceImage(image, configurationAtTheLimit(), {}));
        EXPECT_TRUE(writeConfigurationFile(folder / "big.cfg", image).ok());
        written.assign(image.begin(), image.end());
    }

    ToolResult run(const std::vector<std::string>& args) {
        return runChoosing(args, [this](const std::optional<std::string>& device) {
            return makeDeviceBackendUnder(hid.sysfsRoot(), device);
        });
    }
    std::string node(std::size_t device) const { return hid.node(device, 3).string(); }
    std::string memoryOf(std::size_t device) {
        const auto& memory = hid.device(device).memory->memory();
        return {memory.begin(), memory.begin() + static_cast<std::ptrdiff_t>(DeviceImageSize)};
    }

    const TemporaryFolder folder;
    std::string written;
    ScriptedHidDevice second{L"Zürich-Ä2", "1-5.2"};
    ScriptedHid hid{folder / "system", {ScriptedHidDevice{}, second}};
    const std::string big = (folder / "big.cfg").string();
    const std::string back = (folder / "back.cfg").string();
};

TEST_F(UsbTool, ListsEachDeviceOnceByItsChannelAndEachNameChoosesTheSecond) {
    const ToolResult listed = run({"devices"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("1  " + node(0) +
                              "  port 1-4  serial VT-0001  1209:0108  Vantrel  "
                              "VANTREL Encoder\n2  " +
                              node(1) + "  port 1-5.2  serial Zürich-Ä2  1209:0108"),
              std::string::npos)
        << listed.out;

    for (const std::string& name :
         {std::string("usb:2"), std::string("usb:1-5.2"), std::string("usb:Zürich-Ä2"),
          "usb:" + hid.node(1, 0).string()}) {
        SCOPED_TRACE(name);
        hid.device(1).memory->memory().fill(0);
        const ToolResult wrote = run({"--device", name, "write", big, "--verify"});
        ASSERT_EQ(wrote.status, 0) << wrote.err;
        EXPECT_NE(wrote.out.find("Verified"), std::string::npos) << wrote.out;
        EXPECT_EQ(memoryOf(1).substr(0, 4086), written.substr(0, 4086));
        std::filesystem::remove(back);
        EXPECT_EQ(run({"--device", name, "read", "-o", back}).status, 0);
        EXPECT_EQ(contentsOf(back), written);
    }
    EXPECT_EQ(memoryOf(0), std::string(DeviceImageSize, '\0')) << "the first was left alone";
}

TEST_F(UsbTool, EachWayTheDeviceFailsIsWordedAsForAnyDevice) {
    const std::string partly = "vantrelctl: the device may now hold a partly written "
                               "configuration; writing a configuration again repairs it\n";
    const std::string refused =
        "vantrelctl: a VANTREL is attached at " + node(0) + " but cannot be opened: ";
    const auto failedAt = [](int exchanges, const std::string& why) {
        return [exchanges, why](int total) {
            return "vantrelctl: the device failed after " + std::to_string(exchanges) + " of " +
                   std::to_string(total) + " exchanges: read: " + why + "\n";
        };
    };
    const auto stoppedAt = [](int exchanges) {
        return [exchanges](int total) {
            return "vantrelctl: the device stopped answering after " + std::to_string(exchanges) +
                   " of " + std::to_string(total) + " exchanges\n";
        };
    };
    const auto answering = [](HidAnswer answer, int exchange = 100) {
        return [answer, exchange](ScriptedHidDevice& device) {
            device.answer = answer;
            device.faultAt = exchange;
        };
    };
    // The fault, then what a write and a read each end with, given how many
    // exchanges each plans (a read first looks for a cut-off write).
    struct Case {
        std::string what;
        std::function<void(ScriptedHidDevice&)> fault;
        std::function<std::string(int)> says;
        bool partlyWritten = false;
    };
    const std::vector<Case> cases = {
        {"no permission", [](ScriptedHidDevice& device) { device.openError = EACCES; },
         [&](int) {
             return refused + "permission denied\n\n" +
                    udevAdvice(configuredVendorId(), packagedUdevRuleInstalled());
         }},
        {"busy", [](ScriptedHidDevice& device) { device.openError = EBUSY; },
         [&](int) {
             return refused + "Device or resource busy\n";
         }},
        {"vanishes", [](ScriptedHidDevice& device) { device.memory->unplugAfter(212); },
         stoppedAt(212), true},
        {"short", answering(HidAnswer::Short), failedAt(100, "only 20 of 33 bytes received"), true},
        {"late", answering(HidAnswer::Late), stoppedAt(100), true},
        {"another report", answering(HidAnswer::WrongReportId),
         failedAt(100, "an answer with report ID 4, not 3"), true},
        {"a stale report waits", [](ScriptedHidDevice& device) { device.staleReport = true; },
         [](int) {
             return "";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool writing : {true, false}) {
            ScriptedHidDevice& device = hid.device(0);
            device = ScriptedHidDevice{};
            const std::vector<std::string> write = {"--device", "usb:1", "write", big,
                                                    "--no-verify"};
            if (!writing) {
                ASSERT_EQ(run(write).status, 0);
            }
            c.fault(device);
            std::filesystem::remove(back);
            const ToolResult said =
                run(writing ? write
                            : std::vector<std::string>{"--device", "usb:1", "read", "-o", back});
            const std::string expected =
                c.says(writing ? 508 : 509) + (writing && c.partlyWritten ? partly : "");
            EXPECT_EQ(said.status, expected.empty() ? 0 : 1) << said.err;
            EXPECT_TRUE(said.err.ends_with(expected)) << said.err;
            if (expected.empty() && !writing) {
                EXPECT_EQ(contentsOf(back), written) << "every answer belongs to its own report";
            }
        }
    }
}

TEST_F(UsbTool, KeepsOffTheChosenDeviceWhileAnotherProgramHoldsIt) {
    OtherProgram other{{hid.node(1, 3), false}};
    ASSERT_TRUE(other.tryToTake());
    const ToolResult said = run({"--device", "usb:2", "write", big});
    EXPECT_EQ(said.status, 1);
    EXPECT_TRUE(said.err.ends_with("vantrelctl: " + std::string(DeviceBusyText) + "\n"))
        << said.err;
    EXPECT_EQ(memoryOf(1), std::string(DeviceImageSize, '\0'));
    EXPECT_EQ(run({"--device", "usb:1", "write", big, "--no-verify"}).status, 0);
}

} // namespace
} // namespace vantrel::cli
