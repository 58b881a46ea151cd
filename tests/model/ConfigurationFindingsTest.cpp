#include "model/ConfigurationFindings.h"

#include "tests/support/LimitConfiguration.h"
#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr std::uint8_t MouseRight = 1;
constexpr std::uint8_t Hat1North = 64;

InputMacro single(std::uint8_t keyType, std::uint8_t value, std::uint8_t keyOperator = 0) {
    InputMacro macro;
    encodeSingleKey(keyType, value, keyOperator, macro);
    return macro;
}

using Inputs = std::vector<std::pair<int, InputMacro>>;

/// A configuration of the given inputs (by index) and rotary keys.
Configuration configurationOf(const Inputs& inputs,
                              const std::vector<std::pair<int, RotaryKey>>& keys = {}) {
    Configuration config;
    for (const auto& [input, macro] : inputs) {
        config.input(input) = macro;
    }
    for (const auto& [index, key] : keys) {
        config.rotaryKey(index) = key;
    }
    return config;
}

TEST(ConfigurationFindings, NamesEveryMistakeOnceAndNothingInACleanConfiguration) {
    // What the notes about shared presses say a game and the monitor see.
    const std::string oneControl = ": a game sees one control, and the monitor names them together";
    const std::string eachPress =
        ": a game sees that press from each, and the monitor names them together";
    const InputMacro keyB = single(KeyTypeKeyboard, KeyB);
    const InputMacro rightClick = single(KeyTypeMouse, MouseRight);
    const InputMacro hatNorth = single(KeyTypeJoystick, Hat1North);
    constexpr std::uint8_t KeyF7 = 64;
    Inputs overfull;
    for (int input = 0; input < 32; ++input) {
        overfull.emplace_back(input, fullMacro());
    }
    // Each case, its configuration, and the findings told.
    const std::vector<std::tuple<const char*, Configuration, std::vector<std::string>>> cases = {
        {"clean: distinct actions, a tapped macro, a held key released on release",
         configurationOf({{0, single(KeyTypeKeyboard, KeyA)},
                          {1, single(KeyTypeKeyboard, KeyA, OperatorCtrl)},
                          {2, rightClick},
                          {3, macroOf({keyDown(KeyB), delay(4), keyUp(KeyB)}, {}, 2)},
                          {4, macroOf({keyDown(KeyLeftCtrl)}, {keyUp(KeyLeftCtrl)})}},
                         {{0, {KeyB, OperatorShift}}}),
         {}},
        {"two inputs, Key Repeat making no difference",
         configurationOf({{2, single(KeyTypeKeyboard, KeyA, OperatorCtrl)},
                          {16, single(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorKeyRepeat)}}),
         {"Inputs 3 and 17 both send [ctrl] A" + oneControl}},
        {"three inputs and a rotary key; Not Used is never a duplicate",
         configurationOf({{4, keyB},
                          {7, keyB},
                          {9, keyB},
                          {20, hatNorth},
                          {30, single(KeyTypeKeyboard, KeyA, OperatorAlt)}},
                         {{3, {KeyB, OperatorKeyRepeat}}, {1, {KeyA, 0}}}),
         {"Inputs 5, 8, 10 and Rotary Switch 2 clockwise all send B" + oneControl}},
        {"joystick hats and mouse buttons",
         configurationOf({{0, hatNorth}, {1, hatNorth}, {2, rightClick}, {3, rightClick}}),
         {"Inputs 1 and 2 both send Hat1 N" + oneControl,
          "Inputs 3 and 4 both send Right Click" + oneControl}},
        {"macros that begin as a single action, or another macro, does",
         configurationOf(
             {{1, single(KeyTypeKeyboard, KeyA, OperatorCtrl)},
              {7, single(KeyTypeKeyboard, KeyLeftShift)},
              {30, macroOf({keyDown(KeyLeftShift), keyDown(KeyF7), delay(4), keyUp(KeyF7),
                            keyUp(KeyLeftShift)})},
              {40, macroOf({keyUp(KeyB), keyDown(KeyA), delay(0), keyDown(KeyLeftCtrl),
                            keyUp(KeyLeftCtrl), keyUp(KeyA)})},
              {50, macroOf({press(KeyTypeMouse, MouseRight), release(KeyTypeMouse, MouseRight)})},
              {51, macroOf({press(KeyTypeMouse, MouseRight), delay(9),
                            release(KeyTypeMouse, MouseRight)})},
              // Begins with Ctrl alone: not what Ctrl+A presses.
              {60,
               macroOf({keyDown(KeyLeftCtrl), keyUp(KeyLeftCtrl), keyDown(KeyA), keyUp(KeyA)})}}),
         {"Inputs 2 and 41 both begin by pressing [ctrl] A" + eachPress,
          "Inputs 8 and 31 both begin by pressing Left Shift" + eachPress,
          "Inputs 51 and 52 both begin by pressing Right Click" + eachPress}},
        {"stuck in the activation, in the deactivation, and released only before",
         configurationOf({{8, macroOf({keyDown(KeyLeftCtrl), keyDown(KeyA), keyUp(KeyA)})},
                          {9, macroOf({}, {keyDown(KeyB)})},
                          {10, macroOf({keyUp(KeyA)}, {keyDown(KeyA), keyDown(KeyA)})}}),
         {"Input 9: Left Ctrl is pressed and never released",
          "Input 10: B is pressed and never released",
          "Input 11: A is pressed and never released"}},
        {"a release behind an empty step does not count; the steps behind it are named",
         configurationOf({{0, macroOf({keyDown(KeyA), MacroStep{}, keyUp(KeyA)},
                                      {MacroStep{}, delay(1), delay(2)})}}),
         {"Input 1: A is pressed and never released",
          "Input 1: 1 activation step and 2 deactivation steps after an empty step are never "
          "sent"}},
        {"repeat without activation steps",
         configurationOf({{5, macroOf({}, {delay(3)}, 2)}}),
         {"Input 6: the macro repeats but has no activation steps to repeat"}},
        {"a deactivation release of a key never pressed, once per key",
         configurationOf(
             {{6, macroOf({keyDown(KeyA), keyUp(KeyA)}, {keyUp(KeyA), keyUp(KeyB), keyUp(KeyB)})}}),
         {"Input 7: the deactivation sequence releases B, which nothing pressed before"}},
        {"over the size limit",
         configurationOf(overfull),
         {"The configuration needs 8344 bytes, more than the 4032 the device holds"}},
    };
    for (const auto& [name, config, expected] : cases) {
        std::vector<std::string> lines;
        for (const Finding& finding : configurationFindings(config)) {
            lines.push_back(describeFinding(finding));
        }
        EXPECT_EQ(lines, expected) << name;
    }
}

TEST(ConfigurationFindings, GivesTheStepsAndNamesLabelledControlsOneByOne) {
    Configuration config;
    config.input(2) = single(KeyTypeKeyboard, KeyA);
    config.input(16) = single(KeyTypeKeyboard, KeyA);
    config.rotaryKey(0) = {KeyA, 0};
    config.input(40) = macroOf({delay(1), keyDown(KeyB)});
    ConfigurationLabels labels;
    labels.inputs[16] = "Coin 2";
    labels.rotarySwitches[0] = "Volume";

    const std::vector<Finding> findings = configurationFindings(config);
    ASSERT_EQ(findings.size(), 2U);
    EXPECT_EQ(describeFinding(findings[0], labels),
              "Input 3, Input 17 (Coin 2) and Rotary Switch 1 (Volume) counterclockwise all "
              "send A: a game sees one control, and the monitor names them together");
    EXPECT_EQ(findings[1].steps, std::vector<int>{1}) << "the press, for the editor to select";
}

// What the device stores (no entry for an empty input 1), rounded down:
// 100 % only when not a byte is left.
TEST(ConfigurationFindings, SizeLineTellsWhatTheDeviceStores) {
    Configuration config = configurationAtTheLimit();
    EXPECT_EQ(sizeLine(config), "4032 of 4032 bytes (100 %)");
    config.input(0).step(8, Deactivation) = {};
    EXPECT_EQ(sizeLine(config), "4030 of 4032 bytes (99 %)");
    EXPECT_EQ(sizeLine(Configuration{}), "214 of 4032 bytes (5 %)");
}

} // namespace
} // namespace vantrel
