#include "formats/JsonImport.h"
#include "reports/ConfigurationDiff.h"
#include "reports/ControlCard.h"
#include "reports/ShowConfiguration.h"
#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

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

TEST(ShowConfiguration, ListsEveryInputAsTheMainWindowWouldThenTheSettingsAndTheSize) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorKeyRepeat, config.input(0));
    config.input(99) = macroOf({keyDown(KeyA), delay(9), keyUp(KeyA)}, {}, 3);
    config.rotaryKey(0) = {82, OperatorShift};

    const std::string shown = showConfiguration(config, DeviceSettings{});
    EXPECT_TRUE(shown.starts_with("Input 1    Single Key      [ctrl] A with Key Repeat\n"
                                  "Input 2    Single Key      Not Used\n"))
        << shown;
    EXPECT_NE(
        shown.find("\nInput 100  Macro Sequence  (A, Delay, ...); Repeat with 1.0 sec delay\n"),
        std::string::npos);
    EXPECT_NE(shown.find("\nInput 108  Single Key      Not Used\n\n"
                         "Rotary Switch 1 Counterclockwise Movement  [shift] Up Arrow\n"),
              std::string::npos)
        << "a blank line between the inputs and the settings";
    EXPECT_TRUE(
        shown.ends_with("\nConfiguration size                         226 of 4032 bytes (5 %)\n"));
    // Labelled inputs: the README's sample, which its test runs again.
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(ControlCard, ShowsEachLabelAndActionOnceEscapedAndFetchesNothing) {
    const ImportedConfiguration cabinet = importConfiguration(R"({"format":
        "vantrel-configuration", "version": 1, "inputs": [
          {"input": 1, "label": "<script>alert(1)</script>",
           "single": {"type": "key", "code": "A", "modifiers": ["ctrl"]}},
          {"input": 5, "label": "Coin & \"Credit\"", "single": {"type": "joystick", "code": "Hat2 SW"}},
          {"input": 9, "label": "P1 Bomb", "macro": {
             "activation": [{"action": "press", "type": "key", "code": "Left Shift"},
                            {"action": "delay", "ms": 500}],
             "deactivation": [{"action": "release", "type": "key", "code": "Left Shift"}],
             "repeat": "Repeat with 1.5 sec delay"}}],
        "rotarySwitches": [{"switch": 2, "label": "Volume", "clockwise": {"code": "F9"}}],
        "spinner": {"mode": "Mouse Y Axis"}})");
    const std::string page =
        controlCard(cabinet.config, cabinet.settings, cabinet.labels, "cabinet.json");

    for (const char* once :
         {"&lt;script&gt;alert(1)&lt;/script&gt;", "Coin &amp; &quot;Credit&quot;", "P1 Bomb",
          "Volume", "[ctrl] A", "Hat2 SW", "press Left Shift", "wait 500 ms", "release Left Shift",
          "Repeat with 1.5 sec delay", "F9", "Mouse Y Axis", "Nothing found.", "228 of 4032 bytes",
          "<title>Control card: cabinet.json</title>"}) {
        EXPECT_EQ(occurrences(page, once), 1U) << once;
    }
    EXPECT_EQ(occurrences(page, "class=\"number\""), 3U) << "only inputs that send something";
    EXPECT_EQ(occurrences(page, "<script"), 0U);
    const std::regex outside(R"((src|href)\s*=\s*["']?[^#"'\s>]|url\(|@import)", std::regex::icase);
    EXPECT_FALSE(std::regex_search(page, outside));
}

} // namespace
} // namespace vantrel
