#include "cli/CommandHelp.h"

#include "cli/CommandLine.h"
#include "generated/BuildConfig.h"
#include "keytext/KeySpellings.h"

#include <algorithm>
#include <array>

namespace vantrel::cli {
namespace {

/// What a command does, how it answers, and one way to use it.
struct CommandStory {
    std::string_view command;
    std::string_view description;
    std::string_view exitStatus;
    std::string_view example;
};

constexpr std::string_view Plain = "0 success, 1 failure, 2 usage error.";
constexpr std::string_view Differs =
    "0 equal, 1 different, 2 trouble: a usage error or a configuration that cannot be opened.";
constexpr std::string_view Finds =
    "0 no mistake (notes allowed unless --strict), 1 a mistake found, 2 trouble: a usage error "
    "or a configuration that cannot be opened.";
constexpr std::string_view FileSource =
    " FILE is a configuration file as the windows save it, its JSON form, or - for standard "
    "input.";

constexpr std::array<CommandStory, 12> Stories = {{
    {"show",
     "Prints every input and every device setting in the words of the main window: each "
     "input's assignment as its button shows it, the rotary switches, the trackball, the "
     "spinner and the joystick axes.",
     Plain, "vantrelctl show cabinet.json"},
    {"export",
     "Writes the readable JSON form of a configuration: keys by name where they have one, by "
     "their raw code where they have none.",
     Plain, "vantrelctl export cabinet.cfg -o cabinet.json"},
    {"import",
     "Reads a JSON configuration and writes the configuration file the windows and the device "
     "take. What check finds in it is told as warnings; with --strict nothing is written then. "
     "Keys may be named as this program names them, as Linux, MAME, X, RetroArch and SDL "
     "name them, or by their raw code (vantrelctl names keys lists them all). Nothing is "
     "written unless the whole document is valid; a fault is named by its place "
     "(inputs[4] (input 5).single.code).",
     Plain, "vantrelctl import cabinet.json -o cabinet.cfg"},
    {"diff",
     "Lists, one line each, what differs between two configurations in either form: inputs, "
     "rotary keys and settings. --json prints each as an object with its \"difference\".",
     Differs, "vantrelctl diff left.cfg right.json"},
    {"check",
     "Looks for mistakes a cabinet would suffer from although the device takes it: a key a "
     "macro presses and never releases; steps after an empty step, which the device never "
     "plays; a repeat setting with nothing to repeat; a release of something never pressed; a "
     "configuration larger than the device holds, or so full that the editors refuse every "
     "new assignment. Shared presses are notes (\"note: \"), which say what a game and the "
     "monitor will see: two inputs or rotary directions that send the same action, a macro "
     "that begins by pressing what another control sends. A note the file lists under "
     "\"intended\" is only counted. Ends with how full the device's table is. --json prints "
     "one object a line per finding instead: \"finding\" (same-action, same-first-press, "
     "stuck-key, unreachable-steps, repeat-without-activation, release-without-press, "
     "over-size-limit or no-room-to-edit), \"mistake\", \"message\", \"inputs\" and "
     "\"rotaryKeys\" (numbered from 1), and last {\"size\", \"limit\", \"message\", "
     "\"intendedNotes\"}.",
     Finds, "vantrelctl check cabinet.json"},
    {"card",
     "Writes a control card for the cabinet as an HTML page to print: each input with its "
     "label, where the JSON form gives one, and its assignment.",
     Plain, "vantrelctl card cabinet.json -o card.html"},
    {"read",
     "Reads the configuration from the device and saves it as a configuration file. A "
     "device whose last write did not finish is refused rather than read as a whole "
     "configuration.",
     Plain, "vantrelctl --device usb:1 read -o backup.cfg"},
    {"write",
     "Writes a configuration into the device, then reads it back and compares. What check "
     "finds in it is told as warnings first; with --strict nothing is written then. Given "
     "--device more than once, writes each device in turn and says how each went.",
     "0 every device written (and verified), 1 a device failed, 2 usage error.",
     "vantrelctl write cabinet.json --backup before.cfg"},
    {"devices",
     "Lists the encoders attached over USB, numbered for --device usb:N, with their USB port "
     "and node, and says when one cannot be opened and why. --json prints one object a line: "
     "\"description\" (the line devices prints), \"canOpen\" and \"problem\".",
     Plain, "vantrelctl devices"},
    {"names",
     "Lists every name the JSON form accepts: each key, mouse and joystick action with its "
     "raw code and the other names it goes by, and the values of each setting.",
     Plain, "vantrelctl names keys"},
    {"monitor",
     "Shows, for each press on the panel, which input sent it and what it is assigned, by "
     "reading the encoder's input event devices (/dev/input/event*), until Ctrl+C; --events "
     "replays recordings instead. --json prints one object a line: \"event\" (press, release "
     "or motion), \"time\" in seconds, \"device\", and \"action\" with the \"controls\" "
     "that send it, or the motion's \"axes\".",
     "0 stopped by Ctrl+C or the end of the recordings, 1 failure, 2 usage error.",
     "vantrelctl monitor --config cabinet.json"},
    {"help", "Prints the usage of every command, or everything about one.", Plain,
     "vantrelctl help write"},
}};

const CommandStory* storyOf(std::string_view command) {
    const auto* found =
        std::find_if(Stories.begin(), Stories.end(),
                     [command](const CommandStory& s) { return s.command == command; });
    return found == Stories.end() ? nullptr : found;
}

bool takesFiles(const CommandShape& shape) {
    return shape.operandKind == OperandKind::Files && shape.operands > 0;
}

} // namespace

std::string wrapText(std::string_view text, std::size_t first, std::size_t indent) {
    std::string result;
    std::size_t column = first;
    bool lineStarted = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of(" \n"), text.size());
        const std::string_view word = text.substr(0, end);
        if (lineStarted && column + 1 + word.size() > HelpWidth) {
            result += "\n" + std::string(indent, ' ');
            column = indent;
            lineStarted = false;
        }
        if (lineStarted) {
            result += ' ';
            ++column;
        }
        result += word;
        column += word.size();
        lineStarted = !word.empty() || lineStarted;
        if (end < text.size() && text[end] == '\n') {
            result += "\n" + std::string(indent, ' ');
            column = indent;
            lineStarted = false;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return result;
}

std::string optionHelp(const OptionShape& option, std::size_t column) {
    std::string names = "  ";
    if (!option.shortName.empty()) {
        names += std::string(option.shortName) + ", ";
    }
    names += option.name;
    if (!option.valueName.empty()) {
        names += " " + std::string(option.valueName);
    }
    if (names.size() + 2 > column) {
        names += "\n";
        names.append(column, ' ');
    } else {
        names.resize(column, ' ');
    }
    return names + wrapText(option.summary, column, column) + "\n";
}

std::string commandHelp(const CommandShape& shape) {
    const CommandStory* story = storyOf(shape.name);
    std::string text;
    if (story != nullptr) {
        std::string description(story->description);
        if (takesFiles(shape)) {
            description += FileSource;
        }
        if (shape.name == "export" || shape.name == "import") {
            description +=
                " The JSON form is described by 'vantrelctl help format' and in the manual page " +
                std::string(build::FormatManualPage) + ".";
        }
        text += "\n" + wrapText(description, 0, 0) + "\n";
    }
    text += commandDetails(shape.name);
    text += "\noptions:\n";
    for (const OptionShape& option : optionTable()) {
        if (optionAppliesTo(option, shape)) {
            text += optionHelp(option, 24);
        }
    }
    if (story != nullptr) {
        text += "\n" + wrapText("Exit status: " + std::string(story->exitStatus), 0, 0) + "\n";
        text += "\nexample:\n  " + std::string(story->example) + "\n";
    }
    return text;
}

int helpCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& /*devices*/) {
    if (invocation.command == "help" && !invocation.operands.empty()) {
        console.out << commandUsageText(invocation.operands.front());
    } else if (invocation.command.empty() || invocation.command == "help") {
        console.out << usageText();
    } else {
        console.out << commandUsageText(invocation.command);
    }
    return ExitSuccess;
}

namespace {

/// The name in `table` that `name` is a small slip from, or empty.
template <typename Table>
std::string_view closestName(const Table& table, std::string_view name) {
    constexpr std::size_t Close = 2;
    std::string_view best;
    std::size_t bestDistance = Close + 1;
    for (const auto& entry : table) {
        const std::size_t distance = spellingDistance(entry.name, name);
        if (distance < bestDistance) {
            best = entry.name;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

std::string_view closestOption(std::string_view name) {
    return closestName(optionTable(), name);
}

std::string_view closestCommand(std::string_view name) {
    return closestName(commandTable(), name);
}

} // namespace vantrel::cli
