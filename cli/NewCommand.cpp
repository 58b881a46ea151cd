#include "cli/NewCommand.h"

#include "cli/FileCommands.h"
#include "cli/LayoutWords.h"
#include "files/PathText.h"
#include "formats/JsonExport.h"
#include "formats/JsonText.h"
#include "generated/ExampleLayouts.h"
#include "keytext/modKeyText.h"
#include "layouts/LayoutDocument.h"
#include "model/EchoedText.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <span>
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

/// "a, b or c"
std::string choicesText(std::span<const std::string_view> choices) {
    std::string text;
    for (std::size_t k = 0; k < choices.size(); ++k) {
        text += (k == 0 ? "" : (k + 1 == choices.size() ? " or " : ", ")) + std::string(choices[k]);
    }
    return text;
}

/// Whether -o names a file there is already, which new never replaces.
bool outputExists(const Invocation& invocation, const Console& console) {
    std::error_code error;
    if (*invocation.output != "-" &&
        std::filesystem::exists(pathFromUtf8(*invocation.output), error)) {
        console.error(echoedValue(*invocation.output) +
                      ": already exists; new writes only a file that does not");
        return true;
    }
    return false;
}

/// The players --players keeps, all when not given; none for a value that
/// is no number from 1 to MaximumPlayers.
std::optional<int> playersKept(const std::optional<std::string>& given) {
    if (!given) {
        return MaximumPlayers;
    }
    int players = 0;
    const char* end = given->data() + given->size();
    const auto [stop, error] = std::from_chars(given->data(), end, players);
    if (error != std::errc{} || stop != end || players < 1 || players > MaximumPlayers) {
        return std::nullopt;
    }
    return players;
}

/// The front end's file, or standard input for "-"; nothing after telling
/// the user why not.
std::optional<FrontEndLayout> frontEndLayout(FrontEnd frontEnd, const std::string& file,
                                             int players, const Console& console) {
    if (file == "-" && (console.in == nullptr || console.inIsTerminal)) {
        console.error("-: standard input is a terminal; pipe the front end's file into it");
        return std::nullopt;
    }
    FrontEndLayoutRead reading = file == "-"
                                     ? readFrontEndLayout(frontEnd, *console.in, players)
                                     : readFrontEndLayout(frontEnd, pathFromUtf8(file), players);
    const std::string source = file == "-" ? std::string(StandardInputName) : file;
    if (!reading.ok()) {
        console.error(layoutFailureLine(source, reading.failure()));
        return std::nullopt;
    }
    for (const LayoutNote& note : reading.value().notes) {
        console.err << "vantrelctl: note: " << escapedText(layoutNoteLine(source, note), true)
                    << '\n';
    }
    return std::move(reading).value();
}

int newFromFrontEnd(const Invocation& invocation, const Console& console) {
    const std::optional<FrontEnd> frontEnd = frontEndNamed(*invocation.from);
    if (!frontEnd) {
        console.error("--from " + echoedValue(*invocation.from) + ": no such front end (" +
                      choicesText(FrontEndWords) + ")");
        return ExitTrouble;
    }
    const std::optional<int> players = playersKept(invocation.players);
    if (!players) {
        console.error("--players " + echoedValue(*invocation.players) +
                      ": give a number from 1 to " + std::to_string(MaximumPlayers));
        return ExitTrouble;
    }
    if (outputExists(invocation, console)) {
        return ExitFailure;
    }
    const auto layout = frontEndLayout(*frontEnd, invocation.operands.front(), *players, console);
    if (!layout) {
        return ExitFailure;
    }
    const std::string text = layoutText(layoutDocument(*layout));
    return writeTextOutput(invocation, text, console) ? ExitSuccess : ExitFailure;
}

} // namespace

int newCommand(const Invocation& invocation, const Console& console,
               const DeviceBackendFactory& /*devices*/) {
    if (invocation.from) {
        return newFromFrontEnd(invocation, console);
    }
    const std::string name = invocation.layout.value_or(std::string(LayoutNames.front()));
    const std::optional<std::string> text = layoutNamed(name);
    if (!text) {
        console.error("--layout " + echoedValue(name) + ": no such layout (" +
                      choicesText(LayoutNames) + ")");
        return ExitTrouble;
    }
    if (outputExists(invocation, console)) {
        return ExitFailure;
    }
    return writeTextOutput(invocation, *text, console) ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
