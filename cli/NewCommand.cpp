#include "cli/NewCommand.h"

#include "cli/FileCommands.h"
#include "files/PathText.h"
#include "formats/JsonExport.h"
#include "formats/JsonText.h"
#include "generated/ExampleLayouts.h"
#include "keytext/modKeyText.h"
#include "model/EchoedText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vantrel::cli {
namespace {

/// A key field as a person fills it in: every field present.
JsonObject unusedKey() {
    return {{"code", keyName(0)}, {"modifiers", JsonObject::array()}, {"keyRepeat", false}};
}

/// The start-up configuration with every field of the form present: each
/// input "Not Used" and unlabelled, each setting at its start-up value.
JsonObject blankLayout() {
    JsonObject document = exportConfiguration(Configuration{}, DeviceSettings{});
    JsonObject inputs = JsonObject::array();
    for (int i = 0; i < InputCount; ++i) {
        JsonObject single = {{"type", "key"}};
        single.update(unusedKey());
        inputs.push_back({{"input", i + 1}, {"label", ""}, {"single", single}});
    }
    document["inputs"] = inputs;
    for (JsonObject& rotarySwitch : document["rotarySwitches"]) {
        JsonObject filled = {{"switch", rotarySwitch["switch"]}, {"label", ""}};
        filled.update(rotarySwitch);
        filled["counterclockwise"] = unusedKey();
        filled["clockwise"] = unusedKey();
        rotarySwitch = filled;
    }
    document["intended"] = JsonObject::array();
    return document;
}

/// The document laid out as the examples are: one line per field, and per
/// entry of a list.
std::string layoutText(const JsonObject& document) {
    std::string text = "{\n";
    std::size_t left = document.size();
    for (const auto& [name, value] : document.items()) {
        text += "  " + jsonLine(name) + ": ";
        if (value.is_array() && !value.empty()) {
            text += "[\n";
            for (std::size_t k = 0; k < value.size(); ++k) {
                text += "    " + jsonLine(value[k]) + (k + 1 < value.size() ? ",\n" : "\n");
            }
            text += "  ]";
        } else {
            text += jsonLine(value);
        }
        text += --left > 0 ? ",\n" : "\n";
    }
    return text + "}\n";
}

/// The layout's text, or nothing for a name that names none.
std::optional<std::string> layoutNamed(std::string_view name) {
    const auto* found = std::find(LayoutNames.begin(), LayoutNames.end(), name);
    if (found == LayoutNames.end()) {
        return std::nullopt;
    }
    if (found == LayoutNames.begin()) {
        return layoutText(blankLayout());
    }
    return std::string(
        ExampleLayouts.at(static_cast<std::size_t>(found - LayoutNames.begin()) - 1));
}

std::string layoutChoices() {
    std::string text;
    for (std::size_t k = 0; k < LayoutNames.size(); ++k) {
        text += (k == 0 ? "" : (k + 1 == LayoutNames.size() ? " or " : ", ")) +
                std::string(LayoutNames[k]);
    }
    return text;
}

} // namespace

int newCommand(const Invocation& invocation, const Console& console,
               const DeviceBackendFactory& /*devices*/) {
    const std::string name = invocation.layout.value_or(std::string(LayoutNames.front()));
    const std::optional<std::string> text = layoutNamed(name);
    if (!text) {
        console.error("--layout " + echoedValue(name) + ": no such layout (" + layoutChoices() +
                      ")");
        return ExitTrouble;
    }
    if (*invocation.output != "-") {
        std::error_code error;
        if (std::filesystem::exists(pathFromUtf8(*invocation.output), error)) {
            console.error(echoedValue(*invocation.output) +
                          ": already exists; new writes only a file that does not");
            return ExitFailure;
        }
    }
    return writeTextOutput(invocation, *text, console) ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
