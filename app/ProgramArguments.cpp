#include "app/ProgramArguments.h"

#include "generated/BuildConfig.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>

namespace vantrel {
namespace {

// The options QGuiApplication, QApplication and the X11 platform read
// themselves; Qt accepts each with one dash or two.
constexpr std::array<std::string_view, 15> QtOptionsWithValue = {"platform",
                                                                 "platformpluginpath",
                                                                 "platformtheme",
                                                                 "plugin",
                                                                 "qwindowgeometry",
                                                                 "qwindowicon",
                                                                 "qwindowtitle",
                                                                 "session",
                                                                 "display",
                                                                 "geometry",
                                                                 "name",
                                                                 "style",
                                                                 "stylesheet",
                                                                 "title",
                                                                 "visual"};
constexpr std::array<std::string_view, 6> QtSwitches = {"reverse", "widgetcount", "sync",
                                                        "nograb",  "dograb",      "testability"};

/// The option's name without its dashes, or empty for a word that is none.
std::string_view qtOptionName(std::string_view arg) {
    if (!arg.starts_with('-') || arg.size() < 2) {
        return {};
    }
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg;
}

bool contains(std::span<const std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

/// How many words a Qt option takes up, value included; 0 if it is none.
std::size_t qtOptionWords(std::string_view arg) {
    const std::string_view name = qtOptionName(arg);
    const std::size_t equals = name.find('=');
    if (equals != std::string_view::npos) {
        // "-style=fusion"; also Qt's "-qmljsdebugger=port:1234", which has
        // no spaced form.
        const std::string_view before = name.substr(0, equals);
        return contains(QtOptionsWithValue, before) || before == "qmljsdebugger" ? 1 : 0;
    }
    if (contains(QtOptionsWithValue, name)) {
        return 2;
    }
    return contains(QtSwitches, name) ? 1 : 0;
}

std::string usageLine(const ProgramIdentity& program) {
    std::string line = "usage: " + std::string(program.name) + " [--help] [--version]";
    for (const ProgramOption& option : program.options) {
        line += " [" + std::string(option.name) + " " + option.valueName + "]";
    }
    return line + " [QT-OPTION...]" + (program.opensFile ? " [FILE]" : "") + "\n";
}

const ProgramOption* programOption(const ProgramIdentity& program, std::string_view arg) {
    const auto found = std::ranges::find_if(
        program.options, [&](const ProgramOption& option) { return arg == option.name; });
    return found == program.options.end() ? nullptr : &*found;
}

/// One line per option, its help's further lines lined up under the first.
std::string optionHelp(const ProgramIdentity& program) {
    constexpr std::size_t HelpColumn = 16;
    std::string help;
    if (program.opensFile) {
        help += "  FILE          a configuration to open at the start: a configuration file\n"
                "                as File > Open would open it, or the readable JSON form\n"
                "                with its labels\n";
    }
    for (const ProgramOption& option : program.options) {
        std::string words = "  " + std::string(option.name) + " " + option.valueName;
        words.resize(std::max(HelpColumn, words.size() + 1), ' ');
        std::string text = option.help;
        for (std::size_t at = text.find('\n'); at != std::string::npos;
             at = text.find('\n', at + 1)) {
            text.insert(at + 1, HelpColumn, ' ');
        }
        help += words + text + "\n";
    }
    return help;
}

} // namespace

std::string programUsageErrorWords(const ProgramUsageResult& error) {
    switch (error.kind) {
    case ProgramUsageError::Unexpected:
        return "unexpected \"" + error.detail + "\"";
    case ProgramUsageError::SecondFile:
        return "only one FILE can be opened";
    case ProgramUsageError::NeedsValue:
        return error.detail + " needs a value";
    case ProgramUsageError::UnknownOption:
        return "unknown option \"" + error.detail + "\"";
    case ProgramUsageError::None:
        break;
    }
    return {};
}

std::vector<std::string> ProgramArguments::valuesOf(const std::string& option) const {
    const auto found = values.find(option);
    return found == values.end() ? std::vector<std::string>{} : found->second;
}

ParsedProgramArguments parseProgramArguments(std::span<const std::string> args,
                                             const ProgramIdentity& program) {
    ProgramArguments parsed;
    ProgramUsageResult error;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && error.ok(); ++i) {
        const std::string& arg = args[i];
        const bool isWord = optionsEnded || arg == "-" || !arg.starts_with('-');
        if (isWord && !program.opensFile) {
            error = {ProgramUsageError::Unexpected, arg};
        } else if (isWord && parsed.file) {
            error = {ProgramUsageError::SecondFile, {}};
        } else if (isWord) {
            parsed.file = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            parsed.help = true;
        } else if (arg == "-V" || arg == "--version") {
            parsed.version = true;
        } else if (const ProgramOption* option = programOption(program, arg)) {
            if (i + 1 >= args.size()) {
                error = {ProgramUsageError::NeedsValue, arg};
            } else {
                parsed.values[option->name].push_back(args[++i]);
            }
        } else if (const std::size_t words = qtOptionWords(arg); words == 0) {
            error = {ProgramUsageError::UnknownOption, arg};
        } else if (i + words > args.size()) {
            error = {ProgramUsageError::NeedsValue, arg};
        } else {
            i += words - 1;
        }
    }
    if (!error.ok()) {
        return error;
    }
    return parsed;
}

std::optional<int> answerWithoutWindow(const ParsedProgramArguments& parsed,
                                       const ProgramIdentity& program, std::ostream& out,
                                       std::ostream& err) {
    if (!parsed.ok()) {
        err << program.name << ": " << programUsageErrorWords(parsed.failure()) << "\n"
            << usageLine(program);
        return 2;
    }
    const ProgramArguments& arguments = parsed.value();
    if (arguments.help) {
        out << usageLine(program) << "\n"
            << program.description << "\n\n"
            << optionHelp(program)
            << "  -h, --help    this text\n"
               "  -V, --version the program's version\n\n"
               "Qt's own options, such as -platform NAME and -style NAME, are passed on to Qt.\n";
        return 0;
    }
    if (arguments.version) {
        out << program.name << " " << build::Version << "\n";
        return 0;
    }
    return std::nullopt;
}

} // namespace vantrel
