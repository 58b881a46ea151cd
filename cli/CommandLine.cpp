#include "cli/CommandLine.h"

#include "device/DeviceSelection.h"
#include "formats/NameLists.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel::cli {
namespace {

enum class Need { No, Optional, Required };

/// What one command takes.
struct CommandShape {
    std::string_view name;
    std::string_view synopsis;
    std::size_t operands;
    std::size_t optionalOperands; ///< may follow the required ones
    Need output;
    bool outputMayBeStandard; ///< "-o -" means standard output
    bool takesWriteOptions;   ///< --verify, --no-verify and --backup
    std::string_view summary;
};

constexpr std::array<CommandShape, 11> Commands = {{
    {"show", "show FILE", 1, 0, Need::No, false, false,
     "every input and setting as the main window shows them"},
    {"export", "export FILE [-o OUT]", 1, 0, Need::Optional, true, false,
     "the readable JSON form, to standard output unless -o names a file"},
    {"import", "import FILE -o OUT", 1, 0, Need::Required, true, false,
     "the configuration file, written only when FILE is valid"},
    {"diff", "diff A B", 2, 0, Need::No, false, false,
     "what differs between two configurations (status 0 equal, 1 different)"},
    {"check", "check FILE", 1, 0, Need::No, false, false,
     "mistakes a cabinet would suffer from (status 0 none, 1 some)"},
    {"card", "card FILE [-o OUT.html]", 1, 0, Need::Optional, true, false,
     "a printable control card as an HTML page"},
    {"read", "read -o OUT", 0, 0, Need::Required, false, false,
     "save the device's configuration as a configuration file"},
    {"write", "write FILE [--no-verify] [--backup OUT]", 1, 0, Need::No, false, true,
     "write a configuration into the device and read it back to compare"},
    {"devices", "devices", 0, 0, Need::No, false, false,
     "list the attached devices, numbered for --device usb:N"},
    {"names", "names [keys|mouse|joystick|settings]", 0, 1, Need::No, false, false,
     "every name the JSON form accepts, and the values of each setting"},
    {"help", "help [COMMAND]", 0, 1, Need::No, false, false, "this text, or one command's usage"},
}};

const CommandShape* findCommand(std::string_view name) {
    const auto* found =
        std::find_if(Commands.begin(), Commands.end(),
                     [name](const CommandShape& shape) { return shape.name == name; });
    return found == Commands.end() ? nullptr : found;
}

/// Walks the arguments, handing out option values.
class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const std::string> args)
        : args_(args) {}

    [[nodiscard]] bool done() const { return next_ >= args_.size(); }
    const std::string& take() { return args_[next_++]; }

    /// The value of an option written "--name VALUE" or "--name=VALUE".
    std::optional<std::string> valueOf(const std::string& arg, std::string_view name,
                                       std::string& error) {
        if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
            return arg.substr(name.size() + 1);
        }
        if (done()) {
            error = std::string(name) + " needs a value";
            return std::nullopt;
        }
        return take();
    }

private:
    std::span<const std::string> args_;
    std::size_t next_ = 0;
};

bool isOption(const std::string& arg, std::string_view name) {
    return arg == name || (arg.starts_with(name) && arg.size() > name.size() &&
                           arg[name.size()] == '=' && name.starts_with("--"));
}

/// Stores an option's value, refusing one given twice.
void setOnce(std::optional<std::string>& slot, std::optional<std::string> value,
             std::string_view name, std::string& error) {
    if (!value) {
        return;
    }
    if (slot) {
        error = std::string(name) + " is given twice";
        return;
    }
    slot = std::move(value);
}

std::string usageLine(const CommandShape& shape) {
    return "usage: vantrelctl [--device DEVICE] " + std::string(shape.synopsis);
}

std::string checkDevices(const Invocation& invocation, const CommandShape& shape) {
    for (const std::string& device : invocation.devices) {
        if (!isDeviceName(device)) {
            return "unknown device \"" + device +
                   "\" (expected emulated:PATH or usb: with a number, node, port or serial "
                   "number)";
        }
    }
    if (invocation.devices.size() <= 1) {
        return {};
    }
    if (shape.name == "read") {
        return "read takes one device; " + usageLine(shape);
    }
    if (invocation.backup) {
        return "--backup takes one device; " + usageLine(shape);
    }
    return {};
}

std::string checkOperands(const Invocation& invocation, const CommandShape& shape) {
    const std::size_t given = invocation.operands.size();
    if (given < shape.operands || given > shape.operands + shape.optionalOperands) {
        return usageLine(shape);
    }
    if (std::count(invocation.operands.begin(), invocation.operands.end(), "-") > 1) {
        return "standard input (-) can be read only once";
    }
    if (shape.name == "help" && given == 1 && findCommand(invocation.operands[0]) == nullptr) {
        return "unknown command \"" + invocation.operands[0] + "\"";
    }
    if (shape.name == "names" && given == 1 && !nameGroupNamed(invocation.operands[0])) {
        return "unknown list \"" + invocation.operands[0] + "\"; " + usageLine(shape);
    }
    return {};
}

std::string checkAgainstShape(const Invocation& invocation) {
    const CommandShape* shape = findCommand(invocation.command);
    if (shape == nullptr) {
        return "unknown command \"" + invocation.command + "\"";
    }
    std::string usage = usageLine(*shape);
    if (std::string problem = checkDevices(invocation, *shape); !problem.empty()) {
        return problem;
    }
    if (std::string problem = checkOperands(invocation, *shape); !problem.empty()) {
        return problem;
    }
    if (shape->output == Need::Required && !invocation.output) {
        return usage;
    }
    if (shape->output == Need::No && invocation.output) {
        return std::string(shape->name) + " takes no -o; " + usage;
    }
    if (invocation.output == "-" && !shape->outputMayBeStandard) {
        return std::string(shape->name) + " writes a file, not standard output; " + usage;
    }
    if (invocation.backup == "-") {
        return "--backup writes a file, not standard output; " + usage;
    }
    if (!shape->takesWriteOptions && (invocation.verify || invocation.backup)) {
        return "--verify, --no-verify and --backup belong to write; " + usage;
    }
    return {};
}

} // namespace

ParsedCommandLine parseCommandLine(std::span<const std::string> args) {
    ParsedCommandLine parsed;
    Invocation& invocation = parsed.invocation;
    std::string& error = parsed.usageError;
    ArgumentReader reader(args);
    bool optionsEnded = false;
    while (!reader.done() && error.empty()) {
        const std::string& arg = reader.take();
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            if (invocation.command.empty()) {
                invocation.command = arg;
            } else {
                invocation.operands.push_back(arg);
            }
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            invocation.help = true;
        } else if (arg == "-V" || arg == "--version") {
            invocation.version = true;
        } else if (arg == "-q" || arg == "--quiet") {
            invocation.quiet = true;
        } else if (arg == "--verify" || arg == "--no-verify") {
            const bool wanted = arg == "--verify";
            if (invocation.verify.value_or(wanted) != wanted) {
                error = "--verify and --no-verify contradict each other";
            }
            invocation.verify = wanted;
        } else if (isOption(arg, "--device")) {
            if (auto device = reader.valueOf(arg, "--device", error)) {
                invocation.devices.push_back(std::move(*device));
            }
        } else if (arg == "-o" || isOption(arg, "--output")) {
            setOnce(invocation.output, reader.valueOf(arg, arg == "-o" ? "-o" : "--output", error),
                    "-o", error);
        } else if (isOption(arg, "--backup")) {
            setOnce(invocation.backup, reader.valueOf(arg, "--backup", error), "--backup", error);
        } else {
            error = "unknown option \"" + arg + "\"";
        }
    }
    if (error.empty() && invocation.help && !invocation.command.empty() &&
        findCommand(invocation.command) == nullptr) {
        error = "unknown command \"" + invocation.command + "\"";
    }
    if (error.empty() && !invocation.help && !invocation.version) {
        error = invocation.command.empty() ? "no command given" : checkAgainstShape(invocation);
    }
    return parsed;
}

std::string usageText() {
    std::string text = "usage: vantrelctl [--device DEVICE] COMMAND ...\n\ncommands:\n";
    for (const CommandShape& shape : Commands) {
        std::string line = "  " + std::string(shape.synopsis);
        line.resize(std::max<std::size_t>(line.size() + 2, 40), ' ');
        text += line + std::string(shape.summary) + "\n";
    }
    text +=
        "\noptions:\n"
        "  --device usb:N                        the device numbered N by devices; also\n"
        "                                        usb:/dev/hidrawN, usb:PORT (1-4.2), usb:SERIAL\n"
        "  --device emulated:PATH                the device emulator, its memory kept in PATH\n"
        "                                        (without --device: the first device on USB;\n"
        "                                        write takes several)\n"
        "  -q, --quiet                           no progress and no success lines\n"
        "  -h, --help                            this text; after a command, its usage\n"
        "  -V, --version                         the program's version\n"
        "\nFILE may be a configuration file as the windows save it or its JSON form,\n"
        "or - for standard input. OUT of export, card and import may be - for standard\n"
        "output.\n";
    return text;
}

std::string commandUsageText(std::string_view command) {
    const CommandShape* shape = findCommand(command);
    if (shape == nullptr) {
        return {};
    }
    return usageLine(*shape) + "\n\n" + std::string(shape->summary) + "\n";
}

} // namespace vantrel::cli
