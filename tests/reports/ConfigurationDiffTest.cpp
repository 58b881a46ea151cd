#include "reports/ConfigurationDiff.h"

#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr std::uint8_t KeyA = 4;

TEST(ConfigurationDiff, NamesWhatTheDeviceWouldDoDifferently) {
    Configuration before;
    encodeSingleKey(KeyTypeKeyboard, KeyA, 0, before.input(2));
    before.rotaryKey(0) = {200, 0};
    before.rotaryKey(3) = {KeyA, OperatorCtrl};
    Configuration after = before;
    after.input(1) = macroOf({release(KeyTypeDelay, 9)});
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorKeyRepeat, after.input(2));
    after.input(4).step(5, Activation) = keyDown(KeyA); // behind a gap: never sent, no change
    after.rotaryKey(0) = {201, 0};
    after.rotaryKey(3).KeyOperator |= OperatorKeyRepeat;
    DeviceSettings settings;
    settings.ReverseY = settings.ReverseSpinner = settings.Joystick[3] = true;
    settings.Spinner = 1;
    settings.Rotary[0] = {1, 2, 1};

    const std::string delayMacro =
        "Macro Sequence: on press wait 100 ms (release); on release nothing";
    EXPECT_EQ(configurationDifferences(before, DeviceSettings{}, after, settings),
              (std::vector<std::string>{
                  "Input 2: Not Used -> " + delayMacro,
                  "Input 3: Single Key A -> Single Key A with Key Repeat",
                  "Rotary Switch 1 Counterclockwise Movement: key code 200 -> key code 201",
                  "Rotary Switch 1 Maximum rate: 10 per sec -> 20 per sec",
                  "Rotary Switch 1 Divisor: 1 -> 4",
                  "Rotary Switch 1 Buffer overflow: Disabled -> Enabled",
                  "Rotary Switch 2 Clockwise Movement: [ctrl] A -> [ctrl] A with Key Repeat",
                  "Trackball Reverse Y Axis: off -> on", "Spinner: Mouse Wheel -> Mouse X Axis",
                  "Reverse Spinner: off -> on", "Enable Joystick Rx Axis: off -> on"}));
}

} // namespace
} // namespace vantrel
