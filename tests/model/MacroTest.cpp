#include "model/MacroDelay.h"
#include "model/MacroRules.h"
#include "model/describeMacro.h"
#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

// What a user types into the delay box and the step it becomes: halves go
// to the even number of tens, and everything is held within 10..2560 ms.
TEST(MacroDelay, TypedTextBecomesTheNearestDelay) {
    constexpr std::pair<std::string_view, int> cases[] = {
        {"10", 0},     {"15", 1},  {"25", 1}, {"35", 3}, {"2560", 255}, {"2600", 255},
        {"9999", 255}, {"5", 0},   {"0", 0},  {"", 0},   {"abc", 0},    {"35ab", 3},
        {"  40", 3},   {"-20", 0}, {"44", 3}, {"46", 4}, {"500", 49},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(delayByteFromText(text), expected) << '"' << text << '"';
    }
}

TEST(MacroRules, CompactingClosesGapsAndKeepsOrder) {
    InputMacro macro = macroOf({keyDown(KeyA), MacroStep{}, keyUp(KeyA)}, {keyUp(0), delay(4)}, 3);
    macro.step(63, Activation) = keyDown(KeyB);
    compactSequences(macro);
    EXPECT_EQ(macro, macroOf({keyDown(KeyA), keyUp(KeyA), keyDown(KeyB)}, {delay(4)}, 3));
}

TEST(MacroRules, FindsThePressThatNoLaterStepReleases) {
    // The last of the 128 step positions, deactivation step 64.
    InputMacro releasedLast = macroOf({keyDown(KeyA)});
    releasedLast.step(StepsPerSequence - 1, Deactivation) = keyUp(KeyA);
    InputMacro pressedLast;
    pressedLast.step(StepsPerSequence - 1, Deactivation) = keyDown(KeyA);
    // Each macro and the position of its press that nothing releases.
    const std::vector<std::tuple<const char*, InputMacro, std::optional<int>>> cases = {
        {"released at the last position", releasedLast, std::nullopt},
        {"pressed at the last position", pressedLast, StepPositionCount - 1},
        {"empty", InputMacro{}, std::nullopt},
        {"released in the deactivation sequence", macroOf({keyDown(KeyA)}, {keyUp(KeyA)}),
         std::nullopt},
        {"released only before the press", macroOf({keyUp(KeyA)}, {keyDown(KeyA)}), 64},
        {"one release answers two presses", macroOf({keyDown(KeyA), keyDown(KeyA), keyUp(KeyA)}),
         std::nullopt},
        {"delays and releases only", macroOf({delay(9), keyUp(KeyB)}), std::nullopt},
        {"a release of another kind does not count",
         macroOf({press(KeyTypeMouse, KeyA), keyUp(KeyA)}), 0},
        {"the first of several", macroOf({keyDown(KeyA), keyDown(KeyB), keyUp(KeyA)}), 1},
    };
    for (const auto& [name, macro, unmatched] : cases) {
        EXPECT_EQ(findUnmatchedPress(macro), unmatched) << name;
    }
}

TEST(DescribeMacro, ShowsWhatTheButtonReads) {
    const InputMacro ctrlC =
        macroOf({keyDown(KeyLeftCtrl), keyDown(KeyC), keyUp(KeyC), keyUp(KeyLeftCtrl)});
    InputMacro gapped = macroOf({press(KeyTypeMouse, 0)});
    gapped.step(30, Activation) = keyDown(KeyA);

    // Each case: whether the input is a single key, its record, and the button's text.
    const std::vector<std::tuple<const char*, bool, InputMacro, std::string>> cases = {
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
    for (const auto& [name, singleKey, macro, expected] : cases) {
        EXPECT_EQ(describeMacro(singleKey, macro), expected) << name;
    }
    EXPECT_EQ(describeRotaryKey({KeyA, OperatorCtrl | OperatorAlt}), "[ctrl] [alt] A");
    EXPECT_EQ(describeRotaryKey({}), "Not Used");
}

} // namespace
} // namespace vantrel
