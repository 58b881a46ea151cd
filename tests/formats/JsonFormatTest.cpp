#include "formats/ConfigurationSource.h"
#include "formats/ImportError.h"
#include "formats/JsonExport.h"
#include "formats/JsonImport.h"
#include "model/DeviceImage.h"
#include "tests/support/ModelBuilders.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;
using Json = nlohmann::json;

/// A document holding the given top-level fields after format and version.
std::string document(const std::string& fields) {
    return R"({"format": "vantrel-configuration", "version": 1)" +
           (fields.empty() ? "" : ", " + fields) + "}";
}

std::string inputs(const std::string& entries) {
    return document(R"("inputs": [)" + entries + "]");
}

std::string importFailure(const std::string& text) {
    try {
        (void)importConfiguration(text);
    } catch (const ImportError& error) {
        return error.what();
    }
    return "(imported without error)";
}

/// A document whose input 1 is a single action of `type` spelled `code`.
std::string singleAction(const std::string& type, const Json& code) {
    return inputs(R"({"input": 1, "single": )" + Json{{"type", type}, {"code", code}}.dump() + "}");
}

/// The code export writes for input 1 of an imported document.
Json exportedCode(const ImportedConfiguration& imported) {
    return Json::parse(
        exportConfigurationText(imported.config, imported.settings))["inputs"][0]["single"]["code"];
}

// The image's own round trip, and on every 25th the document's on top of it.
TEST(JsonFormat, RandomImagesSurviveDecodingAndExportAndImportByteForByte) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        Configuration config = randomConfiguration(random);
        // Bits the windows never set on a rotary key come back all the same.
        config.rotaryKey(3) = {0, OperatorCtrl | OperatorKeyRepeat};
        const DeviceSettings settings = randomSettings(random);
        DeviceImage image = imageOf(config, settings);
        Configuration decoded;
        DeviceSettings decodedSettings;
        ASSERT_EQ(loadDeviceImage(image, decoded, decodedSettings), ImageLoadResult::Complete);
        ASSERT_EQ(decoded.InputMacros, config.InputMacros) << "round " << round;
        ASSERT_EQ(decoded.RotaryKeys, config.RotaryKeys) << "round " << round;
        ASSERT_EQ(decodedSettings, settings) << "round " << round;
        if (round % 25 != 0) {
            continue; // a document takes a hundred times as long as an image
        }
        const std::string text = exportConfigurationText(decoded, decodedSettings);
        const ImportedConfiguration imported = importConfiguration(text);

        ASSERT_EQ(imageOf(imported.config, imported.settings), image) << "round " << round << "\n"
                                                                      << text;
        ASSERT_EQ(exportConfigurationText(imported.config, imported.settings), text);
    }
}

TEST(JsonFormat, ExportsEveryKindOfAssignmentAndSetting) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorAlt, config.input(0));
    encodeSingleKey(KeyTypeMouse, 1, 0, config.input(1));
    encodeSingleKey(KeyTypeJoystick, 65, 0, config.input(2));
    config.input(3) = macroOf({keyDown(KeyLeftCtrl), delay(49), keyUp(KeyLeftCtrl)}, {}, 2);
    config.rotaryKey(0) = {82, OperatorShift};

    const Json expected = Json::parse(R"({"format": "vantrel-configuration", "version": 1,
      "inputs": [
        {"input": 1, "single": {"type": "key", "code": "A", "modifiers": ["ctrl", "alt"], "keyRepeat": false}},
        {"input": 2, "single": {"type": "mouse", "code": "Right Click"}},
        {"input": 3, "single": {"type": "joystick", "code": "Hat1 NE"}},
        {"input": 4, "macro": {"activation": [{"action": "press", "type": "key", "code": "Left Ctrl"},
          {"action": "delay", "ms": 500}, {"action": "release", "type": "key", "code": "Left Ctrl"}],
          "deactivation": [], "repeat": "Repeat with 0.5 sec delay"}}],
      "rotarySwitches": [
        {"switch": 1, "counterclockwise": {"code": "Up Arrow", "modifiers": ["shift"]},
         "clockwise": {"code": "Not Used", "modifiers": []},
         "maximumRate": "10 per sec", "divisor": "1", "bufferOverflow": "Disabled"},
        {"switch": 2, "counterclockwise": {"code": "Not Used", "modifiers": []}, "clockwise": {"code": "Not Used", "modifiers": []},
         "maximumRate": "10 per sec", "divisor": "1", "bufferOverflow": "Disabled"}],
      "trackball": {"reverseX": false, "reverseY": false}, "spinner": {"mode": "Mouse Wheel", "reverse": false},
      "joystickAxes": {"x": false, "y": false, "z": false, "rx": false}})");

    const std::string text = exportConfigurationText(config, DeviceSettings{});
    EXPECT_EQ(Json::parse(text), expected);
    EXPECT_EQ(text.rfind("{\n  \"format\": \"vantrel-configuration\",\n  \"version\": 1,", 0), 0U)
        << "format and version lead, with two-space indents";
}

TEST(JsonFormat, WritesCodesWithoutANameAsNumbersAndLeavesOutInputsThatSendNothing) {
    InputMacro emptyReleasedStep;
    emptyReleasedStep.step(0, Activation).PressRelease = false;
    emptyReleasedStep.RepeatDelay = 3;
    // Each macro, and what the document lists when input 7 holds it.
    const std::vector<std::tuple<const char*, InputMacro, const char*>> cases = {
        {"key without a name is its number", macroOf({keyDown(200), keyUp(200)}),
         R"([{"input": 7, "single": {"type": "key", "code": 200, "modifiers": [], "keyRepeat": false}}])"},
        {"Key Repeat", macroOf({keyDown(KeyA)}, {keyUp(KeyA)}),
         R"([{"input": 7, "single": {"type": "key", "code": "A", "modifiers": [], "keyRepeat": true}}])"},
        {"a released delay keeps its flag; the longest delay",
         macroOf({release(KeyTypeDelay, 255)}),
         R"([{"input": 7, "macro": {"activation": [{"action": "delay", "ms": 2560, "released": true}],
              "deactivation": []}}])"},
        {"steps after the first empty one are not part of the sequence",
         macroOf({keyDown(KeyA), MacroStep{}, keyDown(5)}),
         R"([{"input": 7, "macro": {"activation": [{"action": "press", "type": "key", "code": "A"}],
              "deactivation": []}}])"},
        // Written out as they are, these would come back as documents the importer refuses.
        {"an empty step, whatever its flag, and a repeat with nothing to repeat", emptyReleasedStep,
         "[]"},
        {"a repeat without activation steps", macroOf({}, {keyUp(KeyA)}, 3),
         R"([{"input": 7, "macro": {"activation": [],
              "deactivation": [{"action": "release", "type": "key", "code": "A"}]}}])"},
    };
    for (const auto& [name, macro, listed] : cases) {
        Configuration config;
        config.input(6) = macro;
        EXPECT_EQ(Json::parse(exportConfigurationText(config, DeviceSettings{}))["inputs"],
                  Json::parse(listed))
            << name;
    }
}

/// Input `input` with `steps` activation steps.
std::string inputWithSteps(int input, int steps) {
    std::string list;
    for (int n = 0; n < steps; ++n) {
        list += (n == 0 ? "" : ", ") +
                std::string(R"({"action": "press", "type": "mouse", "code": "Left Click"})");
    }
    return R"({"input": )" + std::to_string(input) + R"(, "macro": {"activation": [)" + list +
           "]}}";
}

/// Input 1 as a single key or a macro with the given fields.
std::string single(const std::string& fields) {
    return inputs(R"({"input": 1, "single": {)" + fields + "}}");
}
std::string macro(const std::string& fields) {
    return inputs(R"({"input": 1, "macro": {)" + fields + "}}");
}

TEST(JsonFormat, ReadsNamesInAnyCaseAndTheOtherNamesOfKeysButWritesTheProgramsOwn) {
    // Each spelling, its type and the name export writes for it: another
    // program's name (every list is pinned with the key texts) and every
    // word of the format in any case.
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"KEYCODE_1PAD", "KEY", "1 (Num)"},
        {"BTN_MIDDLE", "Mouse", "Middle Click"},
        {"a", "key", "A"},
        {"PRINT SCREEN", "key", "Print Screen"},
        {"right click", "mouse", "Right Click"},
        {"hat2 sw", "joystick", "Hat2 SW"},
    };
    for (const auto& [spelling, type, name] : cases) {
        EXPECT_EQ(exportedCode(importConfiguration(singleAction(type, spelling))), name)
            << spelling;
    }
    const ImportedConfiguration words = importConfiguration(
        R"({"Format": "VANTREL-configuration", "version": 1, "Inputs": [{"input": 1, "single":
            {"type": "key", "code": "a", "modifiers": ["Alt", "CTRL"]}}],
            "spinner": {"mode": "mouse x axis"},
            "rotarySwitches": [{"switch": 1, "divisor": "1", "bufferOverflow": "enabled"}]})");
    const Json exported = Json::parse(exportConfigurationText(words.config, words.settings));
    EXPECT_EQ(exported["inputs"][0]["single"]["modifiers"], Json::parse(R"(["ctrl", "alt"])"));
    EXPECT_EQ(exported["spinner"]["mode"], "Mouse X Axis");
    EXPECT_EQ(exported["rotarySwitches"][0]["bufferOverflow"], "Enabled");
}

TEST(JsonFormat, AShortSpellingOfTwoKeysIsReadAsOneWithAWarningThatNamesTheOther) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"Ent", "Enter (Num)",
         R"x("Ent" is read as "Enter (Num)"; if you meant "Enter", write "Enter")x"},
        {"del", "Delete",
         R"x("del" is read as "Delete"; if you meant ". (Num)", write ". (Num)")x"},
        {"Ins", "Insert",
         R"x("Ins" is read as "Insert"; if you meant "0 (Num)", write "0 (Num)")x"},
        {"PgUp", "Page Up",
         R"x("PgUp" is read as "Page Up"; if you meant "9 (Num)", write "9 (Num)")x"},
        {"PGDN", "Page Down",
         R"x("PGDN" is read as "Page Down"; if you meant "3 (Num)", write "3 (Num)")x"},
        {"Enter", "Enter", ""},
    };
    for (const auto& [spelling, name, warning] : cases) {
        const ImportedConfiguration imported = importConfiguration(singleAction("key", spelling));
        EXPECT_EQ(exportedCode(imported), name);
        EXPECT_EQ(imported.warnings.empty() ? "" : imported.warnings.front().message, warning);
    }
}

TEST(JsonFormat, ANumberIsReadOnlyWhereTheCodeHasNoNameAndElseBothReadingsAreNamed) {
    const std::vector<std::tuple<std::string, int, std::string>> refused = {
        {"key", 5, R"(5 is the device's code of "B"; for the key 5 write "5")"},
        {"key", 0, R"(0 is the device's code of "Not Used"; for the key 0 write "0")"},
        {"key", 40, R"(40 is the device's code of "Enter"; write "Enter")"},
        {"joystick", 1,
         R"(1 is the device's code of "Button 2"; for the first button write "Button 1")"},
        {"joystick", 0, R"(0 is the device's code of "Button 1"; write "Button 1")"},
        {"joystick", 64, R"(64 is the device's code of "Hat1 N"; for button 64 write "Button 64")"},
        {"joystick", 65, R"(65 is the device's code of "Hat1 NE"; write "Hat1 NE")"},
        {"mouse", 2,
         R"(2 is the device's code of "Middle Click"; for button 2 write "Right Click")"},
    };
    for (const auto& [type, code, message] : refused) {
        EXPECT_EQ(importFailure(singleAction(type, code)),
                  "inputs[0] (input 1).single.code: " + message);
    }
    const ImportedConfiguration imported = importConfiguration(inputs(
        R"({"input": 2, "single": {"type": "key", "code": 104}},
           {"input": 3, "single": {"type": "joystick", "code": 96}},
           {"input": 4, "single": {"type": "mouse", "code": 3}})"));
    EXPECT_EQ(exportedCode(imported), 104);
    ASSERT_EQ(imported.warnings.size(), 3U);
    EXPECT_EQ(imported.warnings[0].place, "inputs[0] (input 2).single.code");
    EXPECT_EQ(imported.warnings[0].message,
              R"(104 is a key code without a name: the main window shows it as "Not Used")");
}

TEST(JsonFormat, NamesEveryFaultItFindsInOneRunUpToTwentyThenCountsTheRest) {
    EXPECT_EQ(importFailure(inputs(
                  R"({"input": 1, "single": {"type": "key", "code": "Escpe"}},
                     {"input": 2, "macro": {"activation": [{"action": "press", "type": "key",
                      "code": "A"}, {"action": "jump"}]}, "colour": "red"},
                     {"input": 1})")),
              "inputs[0] (input 1).single.code: unknown key name \"Escpe\"; did you mean "
              "\"Esc\"? (vantrelctl names keys lists them all)\n"
              "inputs[1] (input 2).colour: unknown field\n"
              "inputs[1] (input 2).macro.activation[1].action: unknown action \"jump\" "
              "(expected \"press\", \"release\" or \"delay\")\n"
              "inputs[2].input: input 1 is given twice (first at inputs[0])");
    std::string many;
    for (int n = 1; n <= 25; ++n) {
        many += std::string(n == 1 ? "" : ", ") + R"({"input": )" + std::to_string(n) +
                R"(, "single": {"type": "key", "code": "?"}})";
    }
    const std::string refused = importFailure(inputs(many));
    EXPECT_EQ(std::count(refused.begin(), refused.end(), '\n'), 20);
    EXPECT_TRUE(refused.starts_with("inputs[0] (input 1).single.code: ")) << refused;
    EXPECT_TRUE(refused.ends_with("\nand 5 more")) << refused;
}

TEST(JsonFormat, RefusesFaultyDocumentsNamingThePlace) {
    const std::string press = R"({"action": "press", "type": "key", "code": "A"})";
    const std::string code = "inputs[0] (input 1).single.code: ";
    const std::string step = "inputs[0] (input 1).macro.activation[0].";
    std::vector<std::pair<std::string, std::string>> cases = {
        {"{\"format\": ",
         "not valid JSON: parse error at line 1, column 12: syntax error while parsing value - "
         "unexpected end of input; expected '[', '{', or a literal"},
        {R"({"version": 1})", "format: missing"},
        {R"({"format": "other", "version": 1})",
         R"(format: expected "vantrel-configuration", found "other")"},
        {R"({"format": "vantrel-configuration", "version": 2})",
         "version: unsupported version 2 (this program reads version 1)"},
        {macro(R"("activation": [{"action": "delay", "ms": 10, "code": "A"}])"),
         step + "code: unknown field"},
        {single(R"("type": "key", "code": "A", "code": "B")"),
         "inputs[0].single.code: given twice"},
        {single(R"("type": "mouse", "code": "Left Click", "modifiers": [])"),
         "inputs[0] (input 1).single.modifiers: only a key has this, not a mouse action"},
        {macro(R"("activation": [{"action": "delay", "ms": 500.0}])"),
         step + "ms: expected a whole number from 10 to 2560, found 500.0"},
        {macro(R"("activation": [)" + press + ", " + press +
               R"(, {"action": "press", "type": "mouse", "code": "Not Used"}])"),
         R"(inputs[0] (input 1).macro.activation[2].code: unknown mouse name "Not Used" (vantrelctl names mouse lists them all))"},
        {document(R"("rotarySwitches": [{"switch": 2, "clockwise": {"code": "Left Click"}}])"),
         R"(rotarySwitches[0] (switch 2).clockwise.code: Left Click is a mouse name: a rotary switch sends keys only)"},
        {single(R"("type": "key", "code": "A", "repeat": true)"),
         R"(inputs[0] (input 1).single.repeat: unknown field; did you mean "keyRepeat"?)"},
        {single(R"("type": "key", "code": "A", "Code": "B")"),
         "inputs[0] (input 1).single.code: given twice"},
        {single(R"("type": "key", "code": "A", "modifiers": ["win"])"),
         R"(inputs[0] (input 1).single.modifiers[0]: unknown modifier "win" (expected "ctrl", "shift" or "alt"))"},
        {inputs(R"({"input": 109})"), "inputs[0].input: 109 is out of range (1 to 108)"},
        {inputs(R"({"input": 0})"), "inputs[0].input: 0 is out of range (1 to 108)"},
        {macro(R"("activation": [{"action": "delay", "ms": 25}])"),
         step + "ms: 25 is not a multiple of 10"},
        {single(R"("type": "key", "code": "A", "modifiers": ["ctrl", "ctrl"])"),
         "inputs[0] (input 1).single.modifiers[1]: given twice"},
        {macro(R"("activation": [{"action": "press", "type": "key", "code": "Not Used"}])"),
         step + R"(code: a key step needs a key: "Not Used" would end the sequence here)"},
        {single(R"("type": "key", "code": "Not Used", "keyRepeat": true)"),
         code + R"("Not Used" cannot have modifiers or Key Repeat)"},
        {macro(R"("deactivation": [)" + press + R"(], "repeat": "Repeat with no delay")"),
         "inputs[0] (input 1).macro.repeat: a macro without activation steps cannot repeat"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "A"}, "macro": {}})"),
         R"(inputs[0] (input 1): give either "single" or "macro", not both)"},
        {inputs(inputWithSteps(1, 65)),
         "inputs[0] (input 1).macro.activation: 65 steps, more than the 64 a sequence holds"},
        {inputs(R"({"input": 1e400})"),
         "inputs[0].input: not valid JSON: number overflow parsing '1e400'"},
        {document("") + std::string(1, '\0') + R"({"inputs": 7})",
         "not valid JSON: a NUL byte at byte 50"},
        {R"({"format": "vantrel-configuration", "version": 1.0})",
         "version: unsupported version 1.0 (this program reads version 1)"},
        {inputs(R"({"input": 1, "label": 5})"),
         "inputs[0] (input 1).label: expected a text, found 5"},
        {R"({"format": "vantrel-configuration", "version": 1, "inputs": )" +
             std::string(100000, '['),
         "inputs[0][0][0][0][0][0][0]: not valid JSON: nested deeper than a configuration can be "
         "(8 levels)"},
    };
    const auto ambiguous = [](const std::string& spelling, const std::string& meanings) {
        return '"' + spelling + "\" is ambiguous: it means " + meanings +
               "; write the name of the key you mean";
    };
    const std::string keys = " (vantrelctl names keys lists them all)";
    // Each single action's type and code, and what is said of the code.
    const std::vector<std::tuple<std::string, std::string, std::string>> codes = {
        {"key", "num5", ambiguous("num5", R"x("5 %" in RetroArch or "5 (Num)" in abbreviation)x")},
        {"key", "next",
         ambiguous("next", R"("Page Down" in X keysym or a key the encoder lacks in RetroArch)")},
        {"key", "KEY_F13", R"("KEY_F13" has no key on the encoder)" + keys},
        {"key", "LCtrll", R"(unknown key name "LCtrll"; did you mean "Left Ctrl"?)" + keys},
        {"key", "Button 3", R"(Button 3 is a joystick name: use "type": "joystick")"},
        {"joystick", "Buton 7",
         R"(unknown joystick name "Buton 7"; did you mean "Button 7"? (vantrelctl names joystick lists them all))"},
    };
    for (const auto& [type, spelling, said] : codes) {
        cases.emplace_back(singleAction(type, spelling), code + said);
    }
    // C0 and C1 controls, DEL, the line and paragraph separators, and the
    // bidirectional overrides and isolates.
    for (const char* label :
         {"Fire\\nSmoke", "\\u007F", "\\u0085", "\\u2029", "\\u202E", "\\u2067"}) {
        cases.emplace_back(inputs(R"({"input": 1, "label": ")" + std::string(label) + "\"}"),
                           "inputs[0] (input 1).label: a label cannot hold line breaks, control "
                           "characters or text direction controls");
    }
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(importFailure(text), message) << text.substr(0, 200);
    }
}

TEST(JsonFormat, RefusesOnlyWhatTheDeviceCannotHold) {
    // Inputs 2 to 31 with 64 steps, 32 with 20 and 76 empty ones take
    // 30·128 + 20·2 + 76·2 = 4032 bytes, just what fits. The table holds no
    // empty input 1, which the editing commands count as 2 bytes more.
    std::string full;
    for (int i = 2; i <= 31; ++i) {
        full += inputWithSteps(i, 64) + ", ";
    }
    full += inputWithSteps(32, 20);
    EXPECT_EQ(importFailure(inputs(inputWithSteps(1, 1) + ", " + full)),
              "inputs: This configuration exceeds the maximum size limit. 4034 of "
              "4032 bytes (2 over)");
    EXPECT_NO_THROW((void)importConfiguration(inputs(full))) << "just what the device holds";
}

TEST(ConfigurationSource, TellsTheTwoFormsApartByContent) {
    std::string braceImage = " {" + std::string(DeviceImageSize - 2, '\0');
    braceImage[ImageAddress::Marker] = 1;
    EXPECT_TRUE(looksLikeJson("\xEF\xBB\xBF \r\n\t{")) << "after a byte-order mark and JSON blanks";
    EXPECT_FALSE(looksLikeJson(braceImage)) << "an image that starts with a blank and a brace";
    EXPECT_TRUE(looksLikeJson("{" + std::string(DeviceImageSize, ' '))) << "too long for an image";
}

// The kinds the tool's end-to-end tests cannot reach: a stream that breaks,
// a file image whose rotary settings fail, and one opened only in part.
TEST(ConfigurationSource, WordsEachFailureAndWarningNamingTheConfiguration) {
    std::istringstream broken("{}");
    broken.setstate(std::ios::badbit);
    EXPECT_EQ(configurationFailureLine(loadConfiguration(broken, "standard input").failure()),
              "Error opening the file: standard input: cannot be read");
    LoadedConfiguration image;
    image.source = "x.cfg";
    image.form = ConfigurationForm::Image;
    image.decoding = ImageLoadResult::StoppedEarly;
    EXPECT_EQ(configurationWarningLine(image),
              "x.cfg: the input table holds more inputs or steps than the device has; it was read "
              "up to there and the device settings were left at their start-up values");
    ConfigurationFailure refused;
    refused.kind = ConfigurationError::NotDecoded;
    refused.source = "x.cfg";
    refused.decoding = ImageLoadResult::SettingsFailed;
    EXPECT_EQ(configurationFailureLine(refused),
              "x.cfg: Error opening the file (a rotary switch setting names no entry of its list)");
}

} // namespace
} // namespace vantrel
