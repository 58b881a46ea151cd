#include "model/describeMacro.h"

#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyC = 6;

struct DescribeCase {
    const char* name;
    bool singleKey;
    InputMacro macro;
    std::string expected;
};

TEST(DescribeMacro, ShowsWhatTheButtonReads) {
    const InputMacro ctrlC =
        macroOf({keyDown(KeyLeftCtrl), keyDown(KeyC), keyUp(KeyC), keyUp(KeyLeftCtrl)});
    InputMacro gapped = macroOf({press(KeyTypeMouse, 0)});
    gapped.step(30, Activation) = keyDown(KeyA);

    const std::vector<DescribeCase> cases = {
        {"cleared, single", true, InputMacro{}, "Not Used"},
        {"cleared, macro", false, InputMacro{}, "Not Used"},
        {"key with Ctrl", true, ctrlC, "[ctrl] C"},
        {"Key Repeat has no text", true, macroOf({keyDown(KeyA)}, {keyUp(KeyA)}), "A"},
        {"mouse", true, macroOf({press(KeyTypeMouse, 2)}), "Middle Click"},
        {"joystick", true, macroOf({press(KeyTypeJoystick, 95)}), "Hat4 NW"},
        {"macro lists two names and an ellipsis", false, ctrlC, "(Left Ctrl, C, ...)"},
        {"delay as the second name", false, macroOf({keyDown(KeyA), delay(1)}), "(A, Delay)"},
        {"mouse and joystick code 0 are listed", false,
         macroOf({press(KeyTypeMouse, 0)}, {release(KeyTypeJoystick, 0)}),
         "(Left Click, Button 1)"},
        {"keyboard value 0 is skipped", false,
         macroOf({keyDown(KeyA)}, {release(KeyTypeKeyboard, 0), keyUp(KeyA)}), "(A, A)"},
        {"deactivation follows activation with one count", false,
         macroOf({keyDown(KeyA)}, {keyUp(KeyA), keyUp(KeyC)}), "(A, A, ...)"},
        {"the walk passes empty steps", false, gapped, "(Left Click, A)"},
    };
    for (const DescribeCase& c : cases) {
        EXPECT_EQ(describeMacro(c.singleKey, c.macro), c.expected) << c.name;
    }
}

TEST(DescribeRotaryKey, PrefixesTheModifiers) {
    EXPECT_EQ(describeRotaryKey({KeyA, OperatorCtrl | OperatorAlt}), "[ctrl] [alt] A");
    EXPECT_EQ(describeRotaryKey({}), "Not Used");
}

} // namespace
} // namespace vantrel
