#include "model/DeviceImage.h"

#include "tests/support/LimitConfiguration.h"
#include "tests/support/ModelBuilders.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

std::vector<std::uint8_t> bytes(const DeviceImage& image, std::size_t from, std::size_t count) {
    return {image.begin() + static_cast<std::ptrdiff_t>(from),
            image.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST(BuildDeviceImage, EncodesEntriesFillersAndEverySettingsBit) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorKeyRepeat, config.input(0));
    config.input(1) = macroOf({delay(2), keyDown(KeyA)}, {keyUp(KeyA)}, 7);
    config.input(2) = macroOf({}, {press(KeyTypeJoystick, 3)}, 5);
    encodeSingleKey(KeyTypeMouse, 1, 0, config.input(4));
    config.RotaryKeys = {RotaryKey{0x52, 0x1}, {0x51, 0x6}, {0x04, 0x8}, {0xE0, 0xF}};
    DeviceSettings settings{true, false, true, 2, {true, false, true, true}};
    settings.Rotary = {RotarySwitchSettings{2, 1, 1}, {1, 2, 0}};

    const DeviceImage image = imageOf(config, settings);

    // Input 1 repeats only in its first activation entry; input 2 has an
    // empty activation, so one entry with both bits and no repeat; input 3
    // is a filler.
    EXPECT_EQ(bytes(image, 0, 18),
              (std::vector<std::uint8_t>{0x00, KeyA, 0x44, KeyA, 0x80 | 0x38 | 3, 2, 0x00, KeyA,
                                         0x40 | 0x04, KeyA, 0x80 | 0x40 | 2, 3, 0x80, 0, 0x81, 0x01,
                                         0x45, 0x01}));
    for (std::size_t p = 18; p < 224; p += 2) {
        ASSERT_EQ(bytes(image, p, 2), (std::vector<std::uint8_t>{0x80, 0})) << "filler at " << p;
    }
    // Marker, length 224, then the settings.
    EXPECT_EQ(bytes(image, 0xFC0, 16),
              (std::vector<std::uint8_t>{1, 0x00, 0xE0, 0x05, 2, 0x0D, 0, 0, 2 | 4 | 16, 0x61, 0x52,
                                         0x51, 1 | 8, 0xF8, 0x04, 0xE0}));
    for (std::size_t p = 224; p < DeviceImageSize; ++p) {
        if (p < 0xFC0 || p > 0xFCF) {
            ASSERT_EQ(image[p], 0) << "at " << p;
        }
    }
}

TEST(BuildDeviceImage, StoredLengthCountsEntriesAndStopsBelowTheMarker) {
    Configuration gap;
    gap.input(0) = macroOf({keyDown(KeyA)});
    gap.input(0).step(2, Activation) = keyUp(KeyA);
    const Configuration atLimit = configurationAtTheLimit();
    ASSERT_EQ(configurationSize(atLimit), MaxConfigSize);
    Configuration overLimit; // only a loaded configuration can be this large
    overLimit.InputMacros.fill(fullMacro());

    // Each configuration, its stored length and whether it fits whole.
    const std::vector<std::tuple<const char*, Configuration, std::int32_t, bool>> cases = {
        {"empty: 107 fillers, none for input 1", Configuration{}, 214, true},
        {"a sequence stops at its first empty step", gap, 2 + 107 * 2, true},
        {"at the size limit", atLimit, MaxConfigSize, true},
        {"entries that would reach the marker are left out", overLimit, MaxConfigSize, false},
    };
    for (const auto& [name, config, length, fits] : cases) {
        SCOPED_TRACE(name);
        DeviceImage image;
        EXPECT_EQ(buildDeviceImage(image, config, DeviceSettings{.Spinner = 1}), fits);
        EXPECT_EQ(storedTableLength(image), length);
        EXPECT_EQ(image[ImageAddress::Marker], 1);
        EXPECT_EQ(image[ImageAddress::SpinnerMode], 1);
    }
}

/// A decoder test bench: a valid empty image whose table and settings a test
/// overwrites, and a configuration that shows whether anything was changed.
struct DecodeBench {
    DeviceImage image{};
    Configuration config;
    DeviceSettings settings;

    DecodeBench() {
        image[ImageAddress::Marker] = 1;
        config.input(50) = macroOf({keyDown(KeyA)});
        config.rotaryKey(0) = {KeyA, OperatorCtrl};
        settings.ReverseY = true;
        settings.Rotary[1].Divisor = 2;
    }

    void setTable(const std::vector<std::uint8_t>& table) {
        std::copy(table.begin(), table.end(), image.begin());
        setLength(static_cast<std::int32_t>(table.size()));
    }
    void setLength(std::int32_t length) {
        image[ImageAddress::LengthHigh] = static_cast<std::uint8_t>(length >> 8);
        image[ImageAddress::LengthLow] = static_cast<std::uint8_t>(length & 0xFF);
    }
    ImageLoadResult load() { return loadDeviceImage(image, config, settings); }
};

/// `count` entries with the given control byte, valued 0, 1, 2, ...
std::vector<std::uint8_t> entries(std::uint8_t control, int count) {
    std::vector<std::uint8_t> table;
    for (int n = 0; n < count; ++n) {
        table.insert(table.end(), {control, static_cast<std::uint8_t>(n)});
    }
    return table;
}

TEST(LoadDeviceImage, RefusesAnImageWithoutTheMarkerAndChangesNothing) {
    for (const int marker : {0, 2, 0xFF}) {
        DecodeBench bench;
        bench.image[ImageAddress::Marker] = static_cast<std::uint8_t>(marker);
        bench.setTable({0x00, KeyA});
        const DecodeBench before = bench;
        EXPECT_EQ(bench.load(), ImageLoadResult::InvalidImage);
        EXPECT_EQ(bench.config.InputMacros, before.config.InputMacros);
        EXPECT_EQ(bench.config.RotaryKeys, before.config.RotaryKeys);
        EXPECT_EQ(bench.settings, before.settings);
    }
}

TEST(LoadDeviceImage, ReadsEntriesIntoInputsSequencesAndStepsAndClampsTheSpinnerMode) {
    DecodeBench bench;
    // Input 1 (bit 7 first), a repeat of 3, then a deactivation whose repeat
    // bits count for nothing; then input 3 through a filler for input 2.
    bench.setTable(
        {0x80 | 0x18 | 1, 2, 0x04 | 2, 9, 0x40 | 0x28 | 0x04, KeyA, 0x80, 0, 0x80 | 3, 7});
    EXPECT_EQ(bench.load(), ImageLoadResult::Complete);
    EXPECT_EQ(bench.config.input(0), InputMacro{}) << "input 0 is skipped by the first bit 7";
    EXPECT_EQ(bench.config.input(1),
              macroOf({press(KeyTypeMouse, 2), release(KeyTypeJoystick, 9)}, {keyUp(KeyA)}, 3));
    EXPECT_EQ(bench.config.input(2), InputMacro{}) << "a filler leaves the input Not Used";
    EXPECT_EQ(bench.config.input(3), macroOf({delay(7)}));
    // The last mode and those above it, which are clamped to it, in the image too.
    for (const int stored : {2, 3, 7, 255}) {
        DecodeBench modes;
        modes.image[ImageAddress::SpinnerMode] = static_cast<std::uint8_t>(stored);
        EXPECT_EQ(modes.load(), ImageLoadResult::Complete);
        EXPECT_EQ(modes.settings.Spinner, 2) << stored;
        EXPECT_EQ(modes.image[ImageAddress::SpinnerMode], 2) << stored;
    }
}

// A length beyond the image is the transfers' test, which read it to its end.
TEST(LoadDeviceImage, ShortensAnOddLength) {
    DecodeBench bench;
    bench.setTable({0x00, KeyA, 0x80 | 0x00, KeyA});
    bench.setLength(3); // the half entry at 2..3 is not read
    EXPECT_EQ(bench.load(), ImageLoadResult::Complete);
    EXPECT_EQ(bench.config.input(0), macroOf({keyDown(KeyA)}));
    EXPECT_EQ(bench.config.input(1), InputMacro{});
}

TEST(LoadDeviceImage, StopsAtA65thStepOrA109thInputWithoutApplyingSettings) {
    DecodeBench steps;
    steps.setTable(entries(0x03, 65));
    steps.image[ImageAddress::ReverseFlags] = 0x07;
    steps.image[ImageAddress::RotarySwitch1 + 2] = 0x22;
    EXPECT_EQ(steps.load(), ImageLoadResult::StoppedEarly);
    EXPECT_EQ(steps.config.input(0).step(63, Activation), delay(63));
    EXPECT_EQ(steps.config.input(50), InputMacro{}) << "every record was cleared first";
    EXPECT_FALSE(steps.settings.ReverseX);
    EXPECT_TRUE(steps.settings.ReverseY);
    EXPECT_EQ(steps.config.rotaryKey(0), (RotaryKey{KeyA, OperatorCtrl}));

    DecodeBench inputs;
    inputs.setTable(entries(0x80, 109)); // inputs 1..109, one more than there are
    EXPECT_EQ(inputs.load(), ImageLoadResult::StoppedEarly);
    EXPECT_EQ(inputs.config.input(107).step(0, Activation).KeyValue, 106);
}

TEST(LoadDeviceImage, AListFieldNamingNoEntryStopsTheSettingsWhereItStands) {
    const RotarySwitchSettings before2{0, 2, 0};
    // Each case: both switches' bytes, what each switch then reads, and
    // whether switch 1's keys were read before the stop.
    const std::vector<std::tuple<const char*, std::uint8_t, std::uint8_t, RotarySwitchSettings,
                                 RotarySwitchSettings, bool>>
        cases = {
            {"rate 3 on switch 1", 0x03 | 0x04, 0x00, {}, before2, false},
            {"divisor 3 on switch 1 keeps its rate", 0x02 | 0x0C, 0x00, {2, 0, 0}, before2, false},
            {"divisor 3 on switch 2", 0x11, 0x01 | 0x0C, {1, 0, 1}, {1, 2, 0}, true},
        };
    for (const auto& [name, switch1, switch2, expected1, expected2, keysApplied] : cases) {
        SCOPED_TRACE(name);
        DecodeBench bench;
        bench.image[ImageAddress::JoystickAxes] = 0x0F;
        bench.image[ImageAddress::RotarySwitch1] = switch1;
        bench.image[ImageAddress::RotarySwitch1 + 3] = 0x55;
        bench.image[ImageAddress::RotarySwitch1 + 4] = switch2;
        EXPECT_EQ(bench.load(), ImageLoadResult::SettingsFailed);
        EXPECT_EQ(bench.settings.Joystick, (std::array<bool, 4>{true, true, true, true}));
        EXPECT_EQ(bench.settings.Rotary[0], expected1);
        EXPECT_EQ(bench.settings.Rotary[1], expected2);
        EXPECT_EQ(bench.config.rotaryKey(1).KeyValue, keysApplied ? 0x55 : 0);
    }
}

} // namespace
} // namespace vantrel
