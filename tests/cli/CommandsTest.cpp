#include "Commands.h"

#include "ConfigurationDiff.h"
#include "ConfigurationFile.h"
#include "EmulatedDevice.h"
#include "ModelBuilders.h"
#include "ToolRunner.h"
#include "UdevRule.h"

#include <gtest/gtest.h>
#include <sstream>

namespace vantrel::cli {
namespace {

using namespace vantrel::testing;
using namespace vantrel::cli::testing;

constexpr std::uint8_t KeyA = 4;

/// Passes everything to the emulator, and after the first session has
/// closed changes one byte of its memory, as someone else writing to the
/// device between our write and our read-back would.
class TamperingLink final : public HidAccess {
public:
    TamperingLink(EmulatedDevice& device, std::size_t address, std::uint8_t value)
        : device_(device)
        , address_(address)
        , value_(value) {}

    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override {
        return device_.OpenHidDevice(productId, outputLength, inputLength, handle);
    }
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output,
                                Report& input) override {
        return device_.WriteHidDevice(handle, output, input);
    }
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override {
        const DeviceStatus status = device_.CloseHidDevice(handle);
        if (++closes_ == 1) {
            device_.memory().at(address_) = value_;
        }
        return status;
    }

private:
    EmulatedDevice& device_;
    std::size_t address_;
    std::uint8_t value_;
    int closes_ = 0;
};

/// An emulator in memory, optionally tampered with after the first session.
class TestBackend final : public DeviceBackend {
public:
    explicit TestBackend(std::optional<std::pair<std::size_t, std::uint8_t>> tamper = {}) {
        if (tamper) {
            tampering_.emplace(device_, tamper->first, tamper->second);
        }
    }
    HidAccess& link() override {
        return tampering_ ? static_cast<HidAccess&>(*tampering_) : device_;
    }
    std::vector<AttachedDevice> attachedDevices() override { return {}; }

private:
    EmulatedDevice device_;
    std::optional<TamperingLink> tampering_;
};

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runWith(std::vector<std::string> args, bool terminal,
                std::optional<std::pair<std::size_t, std::uint8_t>> tamper = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const Console console{out, err, terminal};
    const int status =
        runVantrelctl(args, console, [tamper](const std::optional<std::string>&, std::string&) {
            return std::make_unique<TestBackend>(tamper);
        });
    return {status, out.str(), err.str()};
}

class DeviceCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Configuration config;
        encodeSingleKey(KeyTypeKeyboard, KeyA, 0, config.input(0));
        DeviceImage image{};
        ASSERT_TRUE(buildDeviceImage(image, config, DeviceSettings{}));
        ASSERT_TRUE(writeConfigurationFile(file_, image).ok());
    }

    TemporaryFolder folder_;
    std::string file_ = (folder_ / "a.cfg").string();
};

TEST_F(DeviceCommands, VerifyCatchesADeviceChangedBehindItsBack) {
    EXPECT_EQ(runWith({"write", file_, "--verify"}, false).status, 0);

    // Input 1's first step is the entry at address 0: its key byte is 1.
    const Outcome run =
        runWith({"write", file_, "--verify"}, false, std::pair{1U, std::uint8_t{5}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vantrelctl: verify: the device does not hold what was written: "
                           "Input 1: Single Key A -> Macro Sequence: on press press B, release A; "
                           "on release nothing\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(DeviceCommands, DrawsOneBarInPlaceOnATerminal) {
    const Outcome run = runWith({"write", file_}, true);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("\rWriting [------------------------------] 0%  ", 0), 0U) << run.err;
    EXPECT_TRUE(run.err.ends_with("\rWriting [##############################] 100%  \n"))
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line, redrawn";
}

struct DiffCase {
    const char* name;
    void (*change)(Configuration&, DeviceSettings&);
    std::vector<std::string> lines;
};

TEST(ConfigurationDiff, NamesWhatTheDeviceWouldDoDifferently) {
    const std::vector<DiffCase> cases = {
        {"keys without a name of their own are told apart by number",
         [](Configuration& c, DeviceSettings&) {
             c.rotaryKey(0) = {201, 0};
         },
         {"Rotary Switch 1 Counterclockwise Movement: key code 200 -> key code 201"}},
        {"Key Repeat, which the buttons do not show",
         [](Configuration& c, DeviceSettings&) {
             encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorKeyRepeat, c.input(2));
             c.rotaryKey(3).KeyOperator |= OperatorKeyRepeat;
         },
         {"Input 3: Single Key A -> Single Key A with Key Repeat",
          "Rotary Switch 2 Clockwise Movement: [ctrl] A -> [ctrl] A with Key Repeat"}},
        {"a delay's release flag",
         [](Configuration& c, DeviceSettings&) {
             c.input(1) = macroOf({release(KeyTypeDelay, 9)});
         },
         {"Input 2: Not Used -> Macro Sequence: on press wait 100 ms (release); on release "
          "nothing"}},
        {"steps after a gap are not sent, so they make no difference",
         [](Configuration& c, DeviceSettings&) { c.input(2).step(5, Activation) = keyDown(KeyA); },
         {}},
        {"every device setting",
         [](Configuration&, DeviceSettings& s) {
             s.ReverseY = true;
             s.Spinner = 1;
             s.ReverseSpinner = true;
             s.Joystick[3] = true;
             s.Rotary[0] = {1, 2, 1};
         },
         {"Rotary Switch 1 Maximum rate: 10 per sec -> 20 per sec",
          "Rotary Switch 1 Divisor: 1 -> 4", "Rotary Switch 1 Buffer overflow: Disabled -> Enabled",
          "Trackball Reverse Y Axis: off -> on", "Spinner: Mouse Wheel -> Mouse X Axis",
          "Reverse Spinner: off -> on", "Enable Joystick Rx Axis: off -> on"}},
    };
    for (const DiffCase& c : cases) {
        Configuration before;
        encodeSingleKey(KeyTypeKeyboard, KeyA, 0, before.input(2));
        before.rotaryKey(0) = {200, 0};
        before.rotaryKey(3) = {KeyA, OperatorCtrl};
        DeviceSettings beforeSettings;
        Configuration after = before;
        DeviceSettings afterSettings = beforeSettings;
        c.change(after, afterSettings);
        EXPECT_EQ(configurationDifferences(before, beforeSettings, after, afterSettings), c.lines)
            << c.name;
    }
}

TEST(UdevRule, MatchesTheProductAndTheVendorWhenOneIsConfigured) {
    EXPECT_EQ(udevRule(0),
              R"(KERNEL=="hidraw*", ATTRS{idProduct}=="0108", MODE="0660", TAG+="uaccess")");
    EXPECT_EQ(udevRule(0xD209), R"(KERNEL=="hidraw*", ATTRS{idVendor}=="d209", )"
                                R"(ATTRS{idProduct}=="0108", MODE="0660", TAG+="uaccess")");
}

} // namespace
} // namespace vantrel::cli
