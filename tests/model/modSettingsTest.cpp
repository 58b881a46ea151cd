#include "model/modSettings.h"

#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

/// The macro with one more step, set at the given position.
InputMacro with(InputMacro macro, int n, int sequence, MacroStep step) {
    macro.step(n, sequence) = step;
    return macro;
}

TEST(EncodeSingleKey, WritesTheFixedShortMacro) {
    const std::vector<std::tuple<const char*, SingleKey, InputMacro>> cases = {
        {"plain key is one tap", {KeyTypeKeyboard, KeyA, 0}, macroOf({keyDown(KeyA), keyUp(KeyA)})},
        {"all three modifiers are pressed in order and released in reverse",
         {KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorShift | OperatorAlt},
         macroOf({keyDown(KeyLeftCtrl), keyDown(KeyLeftShift), keyDown(KeyLeftAlt), keyDown(KeyA),
                  keyUp(KeyA), keyUp(KeyLeftAlt), keyUp(KeyLeftShift), keyUp(KeyLeftCtrl)})},
        {"Key Repeat holds the keys until deactivation",
         {KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorShift | OperatorKeyRepeat},
         macroOf({keyDown(KeyLeftCtrl), keyDown(KeyLeftShift), keyDown(KeyA)},
                 {keyUp(KeyA), keyUp(KeyLeftShift), keyUp(KeyLeftCtrl)})},
        {"a mouse (or joystick) code 0 is still a step, and every operator bit is ignored",
         {KeyTypeMouse, 0, 15},
         macroOf({press(KeyTypeMouse, 0)}, {release(KeyTypeMouse, 0)})},
        {"key 0 with modifiers stays cleared", {KeyTypeKeyboard, 0, 7}, InputMacro{}},
        {"a delay is no single assignment", {KeyTypeDelay, 9, 0}, InputMacro{}},
    };
    for (const auto& [name, assignment, expected] : cases) {
        InputMacro macro = macroOf({delay(1), keyDown(KeyC)}, {keyUp(KeyC)}, 5);
        encodeSingleKey(assignment.KeyType, assignment.KeyValue, assignment.KeyOperator, macro);
        EXPECT_EQ(macro, expected) << name;
    }
}

bool isModifierWithItsOwnFlag(int key, int keyOperator) {
    return (key == KeyLeftCtrl && (keyOperator & OperatorCtrl)) ||
           (key == KeyLeftShift && (keyOperator & OperatorShift)) ||
           (key == KeyLeftAlt && (keyOperator & OperatorAlt));
}

TEST(SingleKeyRoundTrip, EveryCodeAndModifierCombinationDecodesToItself) {
    for (const std::uint8_t type : {KeyTypeKeyboard, KeyTypeMouse, KeyTypeJoystick}) {
        for (int code = type == KeyTypeKeyboard ? 1 : 0; code < 256; ++code) {
            for (int keyOperator = 0; keyOperator < 16; ++keyOperator) {
                if (type == KeyTypeKeyboard && isModifierWithItsOwnFlag(code, keyOperator)) {
                    continue;
                }
                InputMacro macro;
                encodeSingleKey(type, static_cast<std::uint8_t>(code),
                                static_cast<std::uint8_t>(keyOperator), macro);
                // Only a key keeps its modifiers and Key Repeat.
                const int kept = type == KeyTypeKeyboard ? keyOperator : 0;
                EXPECT_EQ(decodeSingleKey(macro), (SingleKey{type, static_cast<std::uint8_t>(code),
                                                             static_cast<std::uint8_t>(kept)}))
                    << "type " << int{type} << " code " << code << " operator " << keyOperator;
                EXPECT_TRUE(isSingleKeyAssignment(macro)) << "code " << code;
            }
        }
    }
}

TEST(DecodeSingleKey, ReadsRecordsThatNoSingleAssignmentMade) {
    const std::vector<std::tuple<const char*, InputMacro, SingleKey>> cases = {
        {"cleared record", InputMacro{}, {KeyTypeKeyboard, 0, 0}},
        {"lone Left Ctrl is the key 224",
         macroOf({keyDown(KeyLeftCtrl), keyUp(KeyLeftCtrl)}),
         {KeyTypeKeyboard, KeyLeftCtrl, 0}},
        {"only the last modifier becomes the key",
         macroOf({keyDown(KeyLeftCtrl), keyDown(KeyLeftShift)}),
         {KeyTypeKeyboard, KeyLeftShift, OperatorCtrl}},
        {"the scan goes past an empty step",
         with(macroOf({keyDown(KeyLeftAlt)}), 5, Activation, keyDown(KeyC)),
         {KeyTypeKeyboard, KeyC, OperatorAlt}},
        {"the first key wins", macroOf({keyDown(KeyC), keyDown(KeyA)}), {KeyTypeKeyboard, KeyC, 0}},
        {"releases and other kinds are skipped",
         macroOf({delay(3), keyUp(KeyA), press(KeyTypeDelay, KeyA), keyDown(KeyC)}),
         {KeyTypeKeyboard, KeyC, 0}},
        {"a release of the key anywhere on deactivation means repeat",
         with(macroOf({keyDown(KeyC)}), 40, Deactivation, keyUp(KeyC)),
         {KeyTypeKeyboard, KeyC, OperatorKeyRepeat}},
        {"mouse first step ignores the rest",
         macroOf({press(KeyTypeMouse, 2), keyDown(KeyLeftCtrl)}),
         {KeyTypeMouse, 2, 0}},
    };
    for (const auto& [name, macro, expected] : cases) {
        EXPECT_EQ(decodeSingleKey(macro), expected) << name;
    }
}

// Every encoding reads as a single assignment (above); these look like one
// but are not.
TEST(IsSingleKeyAssignment, RepeatDelayAndEmptyReleaseStepsMakeAMacro) {
    EXPECT_FALSE(isSingleKeyAssignment(macroOf({keyDown(KeyA), keyUp(KeyA)}, {}, 1)));
    EXPECT_FALSE(isSingleKeyAssignment(with(InputMacro{}, 3, Deactivation, keyUp(0))));
    EXPECT_FALSE(isSingleKeyAssignment(macroOf({delay(0), keyDown(KeyA), keyUp(KeyA)})));
}

TEST(ConfigurationSize, CountsEveryNonEmptyPositionAndOneFillerPerEmptyInput) {
    // Each first input and the size of the configuration it is in.
    const std::vector<std::tuple<const char*, InputMacro, std::int32_t>> cases = {
        {"all cleared", InputMacro{}, 216},
        {"one full input", fullMacro(), 256 + 107 * 2},
        {"a step after a gap still counts",
         with(macroOf({keyDown(KeyA)}), 10, Activation, keyUp(KeyA)), 4 + 107 * 2},
        {"empty steps never count, whatever their flag",
         with(InputMacro{}, 0, Activation, keyUp(0)), 216},
        {"mouse code 0 counts", macroOf({press(KeyTypeMouse, 0)}, {release(KeyTypeMouse, 0)}), 218},
        {"a delay of 10 ms counts", macroOf({delay(0), delay(0), delay(0)}), 220},
    };
    for (const auto& [name, firstInput, expected] : cases) {
        Configuration config;
        config.input(0) = firstInput;
        EXPECT_EQ(configurationSize(config), expected) << name;
    }
}

} // namespace
} // namespace vantrel
