#include "ConfigurationSource.h"
#include "DeviceImage.h"
#include "ImportError.h"
#include "JsonExport.h"
#include "JsonImport.h"
#include "ModelBuilders.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

namespace vantrel::cli {
namespace {

using namespace vantrel::testing;
using Json = nlohmann::json;

constexpr std::uint8_t KeyA = 4;

/// A document holding the given top-level fields after format and version.
std::string document(const std::string& fields) {
    return R"({"format": "vantrel-configuration", "version": 1)" +
           (fields.empty() ? "" : ", " + fields) + "}";
}

std::string inputs(const std::string& entries) {
    return document(R"("inputs": [)" + entries + "]");
}

DeviceImage encode(const Configuration& config, const DeviceSettings& settings) {
    DeviceImage image{};
    EXPECT_TRUE(buildDeviceImage(image, config, settings));
    return image;
}

std::string importFailure(const std::string& text) {
    try {
        (void)importConfiguration(text);
    } catch (const ImportError& error) {
        return error.what();
    }
    return "(imported without error)";
}

TEST(JsonFormat, RandomImagesSurviveExportAndImportByteForByte) {
    std::mt19937 random(20260417);
    for (int round = 0; round < 50; ++round) {
        DeviceImage image = encode(randomConfiguration(random), randomSettings(random));
        Configuration decoded;
        DeviceSettings decodedSettings;
        ASSERT_EQ(loadDeviceImage(image, decoded, decodedSettings), ImageLoadResult::Complete);

        const std::string text = exportConfigurationText(decoded, decodedSettings);
        const ImportedConfiguration imported = importConfiguration(text);

        ASSERT_EQ(encode(imported.config, imported.settings), image) << "round " << round << "\n"
                                                                     << text;
        ASSERT_EQ(exportConfigurationText(imported.config, imported.settings), text);
    }
}

TEST(JsonFormat, ExportsTheDocumentedExample) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorAlt, config.input(0));
    encodeSingleKey(KeyTypeMouse, 1, 0, config.input(1));
    encodeSingleKey(KeyTypeJoystick, 65, 0, config.input(2));
    config.input(3) = macroOf({keyDown(KeyLeftCtrl), delay(49), keyUp(KeyLeftCtrl)}, {}, 2);
    config.rotaryKey(0) = {82, OperatorShift};

    const Json expected = Json::parse(R"({
      "format": "vantrel-configuration",
      "version": 1,
      "inputs": [
        {"input": 1, "single": {"type": "key", "code": "A", "modifiers": ["ctrl", "alt"], "keyRepeat": false}},
        {"input": 2, "single": {"type": "mouse", "code": "Right Click"}},
        {"input": 3, "single": {"type": "joystick", "code": "Hat1 NE"}},
        {"input": 4, "macro": {
          "activation": [
            {"action": "press", "type": "key", "code": "Left Ctrl"},
            {"action": "delay", "ms": 500},
            {"action": "release", "type": "key", "code": "Left Ctrl"}
          ],
          "deactivation": [],
          "repeat": "Repeat with 0.5 sec delay"
        }}
      ],
      "rotarySwitches": [
        {"switch": 1,
         "counterclockwise": {"code": "Up Arrow", "modifiers": ["shift"]},
         "clockwise": {"code": "Not Used", "modifiers": []},
         "maximumRate": "10 per sec", "divisor": "1", "bufferOverflow": "Disabled"},
        {"switch": 2, "counterclockwise": {"code": "Not Used", "modifiers": []}, "clockwise": {"code": "Not Used", "modifiers": []},
         "maximumRate": "10 per sec", "divisor": "1", "bufferOverflow": "Disabled"}
      ],
      "trackball": {"reverseX": false, "reverseY": false},
      "spinner": {"mode": "Mouse Wheel", "reverse": false},
      "joystickAxes": {"x": false, "y": false, "z": false, "rx": false}
    })");

    const std::string text = exportConfigurationText(config, DeviceSettings{});
    EXPECT_EQ(Json::parse(text), expected);
    EXPECT_EQ(text.rfind("{\n  \"format\": \"vantrel-configuration\",\n  \"version\": 1,", 0), 0U)
        << "format and version lead, with two-space indents";
}

struct ExportCase {
    const char* name;
    InputMacro macro;
    Json expected; ///< the input's entry without its number
};

TEST(JsonFormat, WritesCodesAndFlagsThatHaveNoNameOfTheirOwn) {
    const std::vector<ExportCase> cases = {
        {"key without a name is its number",
         macroOf({keyDown(200), keyUp(200)}),
         {{"single",
           {{"type", "key"}, {"code", 200}, {"modifiers", Json::array()}, {"keyRepeat", false}}}}},
        {"mouse code 3 is a number",
         macroOf({press(KeyTypeMouse, 3)}, {release(KeyTypeMouse, 3)}),
         {{"single", {{"type", "mouse"}, {"code", 3}}}}},
        {"joystick code 96 is a number",
         macroOf({press(KeyTypeJoystick, 96)}, {release(KeyTypeJoystick, 96)}),
         {{"single", {{"type", "joystick"}, {"code", 96}}}}},
        {"Key Repeat",
         macroOf({keyDown(KeyA)}, {keyUp(KeyA)}),
         {{"single",
           {{"type", "key"}, {"code", "A"}, {"modifiers", Json::array()}, {"keyRepeat", true}}}}},
        {"a released delay keeps its flag; the longest delay",
         macroOf({release(KeyTypeDelay, 255)}),
         {{"macro",
           {{"activation", {{{"action", "delay"}, {"ms", 2560}, {"released", true}}}},
            {"deactivation", Json::array()}}}}},
        {"steps after the first empty one are not part of the sequence",
         macroOf({keyDown(KeyA), MacroStep{}, keyDown(5)}),
         {{"macro",
           {{"activation", {{{"action", "press"}, {"type", "key"}, {"code", "A"}}}},
            {"deactivation", Json::array()}}}}},
    };
    for (const ExportCase& c : cases) {
        Configuration config;
        config.input(6) = c.macro;
        Json expected = c.expected;
        expected["input"] = 7;
        const Json exported = Json::parse(exportConfigurationText(config, DeviceSettings{}));
        ASSERT_EQ(exported["inputs"].size(), 1U) << c.name;
        EXPECT_EQ(exported["inputs"][0], expected) << c.name;
    }
}

TEST(JsonFormat, LeavesOutInputsThatSendNothing) {
    Configuration config;
    config.input(0).step(0, Activation).PressRelease = false; // an empty step, whatever its flag
    config.input(1) = macroOf({}, {}, 3);                     // a repeat with nothing to repeat
    const Json exported = Json::parse(exportConfigurationText(config, DeviceSettings{}));
    EXPECT_TRUE(exported["inputs"].empty());
}

TEST(JsonFormat, KeepsRotaryKeyBitsTheWindowsNeverSet) {
    Configuration config;
    config.rotaryKey(3) = {0, OperatorCtrl | OperatorKeyRepeat};
    const std::string text = exportConfigurationText(config, DeviceSettings{});
    EXPECT_EQ(Json::parse(text)["rotarySwitches"][1]["clockwise"],
              Json::parse(R"({"code": "Not Used", "modifiers": ["ctrl"], "keyRepeat": true})"));
    EXPECT_EQ(importConfiguration(text).config.rotaryKey(3), config.rotaryKey(3));
}

TEST(JsonFormat, FormatAndVersionAloneGiveTheStartUpConfiguration) {
    const ImportedConfiguration imported = importConfiguration(document(""));
    EXPECT_EQ(encode(imported.config, imported.settings),
              encode(Configuration{}, DeviceSettings{}));
}

TEST(JsonFormat, ReadsEverySettingByItsText) {
    const ImportedConfiguration imported = importConfiguration(document(R"(
        "rotarySwitches": [{"switch": 2, "maximumRate": "40 per sec", "divisor": "4",
                            "bufferOverflow": "Enabled"}],
        "trackball": {"reverseY": true},
        "spinner": {"mode": "Mouse Y Axis", "reverse": true},
        "joystickAxes": {"rx": true})"));
    DeviceSettings expected;
    expected.Rotary[1] = {2, 2, 1};
    expected.ReverseY = true;
    expected.Spinner = 2;
    expected.ReverseSpinner = true;
    expected.Joystick[3] = true;
    EXPECT_EQ(imported.settings, expected);
}

TEST(JsonFormat, ReadsModifiersInAnyOrderAndCodesByNumber) {
    const ImportedConfiguration imported = importConfiguration(inputs(
        R"({"input": 108, "single": {"type": "key", "code": 4, "modifiers": ["alt", "ctrl"]}})"));
    InputMacro expected;
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorAlt, expected);
    EXPECT_EQ(imported.config.input(107), expected);
}

struct ErrorCase {
    std::string text;
    std::string message;
};

TEST(JsonFormat, RefusesFaultyDocumentsNamingThePlace) {
    const std::string press = R"({"action": "press", "type": "key", "code": "A"})";
    const std::vector<ErrorCase> cases = {
        // Not a configuration at all.
        {"{\"format\": ", "not valid JSON: parse error at line 1, column 12: syntax error while "
                          "parsing value - unexpected end of "
                          "input; expected '[', '{', or a literal"},
        {R"({"version": 1})", "format: missing"},
        {R"({"format": "other", "version": 1})",
         R"(format: expected "vantrel-configuration", found "other")"},
        {R"({"format": "vantrel-configuration", "version": 2})",
         "version: unsupported version 2 (this program reads version 1)"},
        // Unknown fields and fields given twice.
        {document(R"("input": [])"), "input: unknown field"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "A", "repeat": true}})"),
         "inputs[0].single.repeat: unknown field"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "A", "code": "B"}})"),
         "inputs[0].single.code: given twice"},
        {inputs(
             R"({"input": 2, "single": {"type": "mouse", "code": "Left Click", "modifiers": []}})"),
         "inputs[0].single.modifiers: only a key has this, not a mouse action"},
        {inputs(
             R"({"input": 1, "macro": {"activation": [{"action": "delay", "ms": 10, "code": "A"}]}})"),
         "inputs[0].macro.activation[0].code: unknown field"},
        // Wrong types.
        {document(R"("inputs": {})"), "inputs: expected a list, found an object"},
        {document(R"("trackball": {"reverseX": "yes"})"),
         R"(trackball.reverseX: expected true or false, found "yes")"},
        {inputs(R"({"input": "1"})"),
         R"(inputs[0].input: expected a whole number from 1 to 108, found "1")"},
        {inputs(R"({"input": 1, "macro": {"activation": [{"action": "delay", "ms": 500.0}]}})"),
         "inputs[0].macro.activation[0].ms: expected a whole number from 10 to 2560, found 500.0"},
        // Unknown names.
        {inputs(R"({"input": 1, "macro": {"activation": [)" + press + ", " + press + R"(,
                 {"action": "press", "type": "key", "code": "Fo"}]}})"),
         R"(inputs[0].macro.activation[2].code: unknown key name "Fo")"},
        {inputs(R"({"input": 1, "single": {"type": "mouse", "code": "Not Used"}})"),
         R"(inputs[0].single.code: unknown mouse name "Not Used")"},
        {inputs(R"({"input": 1, "single": {"type": "joystick", "code": "Hat5 N"}})"),
         R"(inputs[0].single.code: unknown joystick name "Hat5 N")"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "a"}})"),
         R"(inputs[0].single.code: unknown key name "a")"},
        {inputs(R"({"input": 1, "single": {"type": "pad", "code": "A"}})"),
         R"(inputs[0].single.type: unknown type "pad" (expected "key", "mouse" or "joystick"))"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "A", "modifiers": ["win"]}})"),
         R"(inputs[0].single.modifiers[0]: unknown modifier "win" (expected "ctrl", "shift" or "alt"))"},
        {inputs(R"({"input": 1, "macro": {"activation": [)" + press + R"(], "repeat": "Repeat"}})"),
         R"(inputs[0].macro.repeat: unknown repeat setting "Repeat" (expected "Repeat with no delay", )"
         R"("Repeat with 0.5 sec delay", "Repeat with 1.0 sec delay", "Repeat with 1.5 sec delay", )"
         R"("Repeat with 2.0 sec delay", "Repeat with 2.5 sec delay" or "Repeat with 3.0 sec delay"))"},
        {document(R"("spinner": {"mode": "Mouse Z Axis"})"),
         R"(spinner.mode: unknown spinner mode "Mouse Z Axis" (expected "Mouse Wheel", "Mouse X Axis" or "Mouse Y Axis"))"},
        {document(R"("rotarySwitches": [{"switch": 1, "divisor": "3"}])"),
         R"(rotarySwitches[0].divisor: unknown divisor "3" (expected "1", "2" or "4"))"},
        // Numbers out of range.
        {inputs(R"({"input": 109})"), "inputs[0].input: 109 is out of range (1 to 108)"},
        {inputs(R"({"input": 0})"), "inputs[0].input: 0 is out of range (1 to 108)"},
        {document(R"("rotarySwitches": [{"switch": 3}])"),
         "rotarySwitches[0].switch: 3 is out of range (1 to 2)"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": 256}})"),
         "inputs[0].single.code: 256 is out of range (0 to 255)"},
        {inputs(R"({"input": 1, "macro": {"activation": [{"action": "delay", "ms": 2570}]}})"),
         "inputs[0].macro.activation[0].ms: 2570 is out of range (10 to 2560)"},
        {inputs(R"({"input": 1, "macro": {"activation": [{"action": "delay", "ms": 25}]}})"),
         "inputs[0].macro.activation[0].ms: 25 is not a multiple of 10"},
        // Duplicates.
        {inputs(R"({"input": 4}, {"input": 5}, {"input": 4})"),
         "inputs[2].input: input 4 is given twice (first at inputs[0])"},
        {document(R"("rotarySwitches": [{"switch": 1}, {"switch": 1}])"),
         "rotarySwitches[1].switch: switch 1 is given twice (first at rotarySwitches[0])"},
        {inputs(
             R"({"input": 1, "single": {"type": "key", "code": "A", "modifiers": ["ctrl", "ctrl"]}})"),
         "inputs[0].single.modifiers[1]: given twice"},
        // What the device could not keep.
        {inputs(
             R"({"input": 1, "macro": {"activation": [{"action": "press", "type": "key", "code": "Not Used"}]}})"),
         R"(inputs[0].macro.activation[0].code: a key step needs a key: "Not Used" would end the sequence here)"},
        {inputs(
             R"({"input": 1, "single": {"type": "key", "code": "Not Used", "keyRepeat": true}})"),
         R"(inputs[0].single.code: "Not Used" cannot have modifiers or Key Repeat)"},
        {inputs(R"({"input": 1, "macro": {"deactivation": [)" + press +
                R"(], "repeat": "Repeat with no delay"}})"),
         "inputs[0].macro.repeat: a macro without activation steps cannot repeat"},
        {inputs(R"({"input": 1, "single": {"type": "key", "code": "A"}, "macro": {}})"),
         R"(inputs[0]: give either "single" or "macro", not both)"},
        {inputs(R"({"input": 1, "single": {"code": "A"}})"), "inputs[0].single.type: missing"},
        {inputs("3"), "inputs[0]: expected an object, found 3"},
    };
    for (const ErrorCase& c : cases) {
        EXPECT_EQ(importFailure(c.text), c.message) << c.text;
    }
}

/// Input 1 with `steps` activation steps; every other input takes a filler.
std::string inputWithSteps(int steps) {
    std::string list;
    for (int n = 0; n < steps; ++n) {
        list +=
            std::string(n == 0 ? "" : ", ") + R"({"action": "press", "type": "mouse", "code": 0})";
    }
    return R"({"input": 1, "macro": {"activation": [)" + list + "]}}";
}

/// Inputs 1..count, each with a full activation sequence.
std::string fullInputs(int count, int lastSteps) {
    std::string list;
    for (int i = 1; i <= count; ++i) {
        std::string entry = inputWithSteps(i == count ? lastSteps : 64);
        entry.replace(entry.find("\"input\": 1"), 10, "\"input\": " + std::to_string(i));
        list += (i == 1 ? "" : ", ") + entry;
    }
    return list;
}

TEST(JsonFormat, RefusesSequencesAndConfigurationsBeyondWhatTheDeviceHolds) {
    EXPECT_EQ(importFailure(inputs(inputWithSteps(65))),
              "inputs[0].macro.activation: 65 steps, more than the 64 a sequence holds");

    // 30 inputs of 64 steps and one of 53 count 30·128 + 106 + 77·2 = 4100 bytes;
    // with 19 steps in the last the count is exactly 4032.
    EXPECT_NO_THROW((void)importConfiguration(inputs(fullInputs(31, 19))));
    EXPECT_EQ(importFailure(inputs(fullInputs(31, 20))),
              "inputs: This configuration exceeds the maximum size limit. (4034 of 4032 bytes)");
}

struct FormCase {
    const char* name;
    std::string bytes;
    bool json;
};

TEST(ConfigurationSource, TellsTheTwoFormsApartByContent) {
    std::string image(DeviceImageSize, '\0');
    image[ImageAddress::Marker] = 1;
    std::string braceImage = image;
    braceImage.replace(0, 2, " {");
    const std::vector<FormCase> cases = {
        {"an object", "{}", true},
        {"after JSON blanks", " \r\n\t{", true},
        {"after a byte-order mark", "\xEF\xBB\xBF{", true},
        {"a list is no configuration document", "[{}]", false},
        {"an image", image, false},
        {"an image that starts with a blank and a brace", braceImage, false},
        {"a brace and too long to be an image", "{" + std::string(DeviceImageSize, ' '), true},
        {"a brace without the image's marker", "{" + std::string(DeviceImageSize - 1, '\0'), true},
    };
    for (const FormCase& c : cases) {
        EXPECT_EQ(looksLikeJson(c.bytes), c.json) << c.name;
    }
}

} // namespace
} // namespace vantrel::cli
