#include "cli/CommandLine.h"

#include "cli/CommandHelp.h"
#include "cli/CommandTable.h"
#include "device/selection/DeviceSelection.h"
#include "formats/NameLists.h"
#include "generated/BuildConfig.h"

#include <algorithm>
#include <string_view>

namespace vantrel::cli {
namespace {

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

void applyOption(const OptionShape& option, const std::string& arg, ArgumentReader& reader,
                 Invocation& invocation, std::string& error) {
    // A value is asked for by the name the user wrote, so "-o" says "-o".
    const std::string_view written = arg.starts_with(option.name) ? option.name : option.shortName;
    switch (option.id) {
    case OptionId::Help:
        invocation.help = true;
        break;
    case OptionId::Version:
        invocation.version = true;
        break;
    case OptionId::Quiet:
        invocation.quiet = true;
        break;
    case OptionId::Verify:
    case OptionId::NoVerify: {
        const bool wanted = option.id == OptionId::Verify;
        if (invocation.verify.value_or(wanted) != wanted) {
            error = "--verify and --no-verify contradict each other";
        }
        invocation.verify = wanted;
        break;
    }
    case OptionId::Device:
        if (auto device = reader.valueOf(arg, written, error)) {
            invocation.devices.push_back(std::move(*device));
        }
        break;
    case OptionId::Output:
        setOnce(invocation.output, reader.valueOf(arg, written, error), "-o", error);
        break;
    case OptionId::Backup:
        setOnce(invocation.backup, reader.valueOf(arg, written, error), "--backup", error);
        break;
    case OptionId::Events:
        if (auto file = reader.valueOf(arg, written, error)) {
            invocation.events.push_back(std::move(*file));
        }
        break;
    case OptionId::Config:
        if (auto file = reader.valueOf(arg, written, error)) {
            invocation.configs.push_back(std::move(*file));
        }
        break;
    case OptionId::Json:
        invocation.json = true;
        break;
    case OptionId::NoGrab:
        invocation.grab = false;
        break;
    case OptionId::Strict:
        invocation.strict = true;
        break;
    }
}

/// "unknown command "wirte"; did you mean write?"
std::string unknownCommand(const std::string& name) {
    const std::string_view closest = closestCommand(name);
    return "unknown command \"" + name + "\"" +
           (closest.empty() ? "" : "; did you mean " + std::string(closest) + "?");
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
    if (!invocation.devices.empty() && shape.devices == DeviceUse::None) {
        return std::string(shape.name) + " takes no --device; " + usageLine(shape);
    }
    if (invocation.devices.size() <= 1) {
        return {};
    }
    if (shape.devices != DeviceUse::Several) {
        return std::string(shape.name) + " takes one device; " + usageLine(shape);
    }
    if (invocation.backup) {
        return "--backup takes one device; " + usageLine(shape);
    }
    return {};
}

std::string checkOperands(const Invocation& invocation, const CommandShape& shape) {
    const std::size_t given = invocation.operands.size();
    // --device takes the place of the first FILE.
    const bool fromDevice = !invocation.devices.empty() && readsDeviceAsSource(shape);
    const std::size_t needed = shape.operands - (fromDevice ? 1 : 0);
    if (fromDevice && given == shape.operands) {
        return std::string(shape.name) + " reads --device in place of a FILE, not both; " +
               usageLine(shape);
    }
    if (given < needed || given > needed + shape.optionalOperands) {
        return usageLine(shape);
    }
    const auto standardInputs =
        std::count(invocation.operands.begin(), invocation.operands.end(), "-") +
        std::count(invocation.events.begin(), invocation.events.end(), "-") +
        std::count(invocation.configs.begin(), invocation.configs.end(), "-");
    if (standardInputs > 1) {
        return "standard input (-) can be read only once";
    }
    if (shape.name == "help" && given == 1 && findCommand(invocation.operands[0]) == nullptr) {
        return unknownCommand(invocation.operands[0]);
    }
    if (shape.name == "names" && given == 1 && !nameGroupNamed(invocation.operands[0])) {
        return "unknown list \"" + invocation.operands[0] + "\"; " + usageLine(shape);
    }
    return {};
}

// Each encoder has its configuration: its own, or one --config each in the
// order of --device; replayed, one recording each.
std::string checkMonitorDevices(const Invocation& invocation, const std::string& usage) {
    const std::size_t devices = invocation.devices.size();
    const std::size_t configs = invocation.configs.size();
    if (devices > 0 && configs > 0 && devices != configs) {
        return "monitor takes one --config per --device, in the same order; " + usage;
    }
    const std::size_t encoders = std::max(devices, configs);
    if (encoders > 1 && !invocation.events.empty() && invocation.events.size() != encoders) {
        return "with several devices monitor replays one --events per device, in the same "
               "order; " +
               usage;
    }
    return {};
}

std::string checkAgainstShape(const Invocation& invocation) {
    const CommandShape* shape = findCommand(invocation.command);
    if (shape == nullptr) {
        return unknownCommand(invocation.command);
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
    if (!shape->takes(OptionId::Backup) && (invocation.verify || invocation.backup)) {
        return "--verify, --no-verify and --backup belong to write; " + usage;
    }
    if (invocation.strict && !shape->takes(OptionId::Strict)) {
        return "--strict belongs to import and write; " + usage;
    }
    if (invocation.json && !shape->takes(OptionId::Json)) {
        return "--json belongs to monitor, check, diff and devices; " + usage;
    }
    const bool monitorOptions =
        !invocation.events.empty() || !invocation.configs.empty() || !invocation.grab;
    if (!shape->takes(OptionId::Events) && monitorOptions) {
        return "--events, --config and --no-grab belong to monitor; " + usage;
    }
    return shape->name == "monitor" ? checkMonitorDevices(invocation, usage) : std::string{};
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
        } else if (const OptionShape* option = findOption(arg)) {
            applyOption(*option, arg, reader, invocation, error);
        } else {
            error = "unknown option \"" + arg + "\"";
        }
    }
    if (error.empty() && invocation.help && !invocation.command.empty() &&
        findCommand(invocation.command) == nullptr) {
        error = unknownCommand(invocation.command);
    }
    if (error.empty() && !invocation.help && !invocation.version) {
        error = invocation.command.empty() ? "no command given" : checkAgainstShape(invocation);
    }
    return parsed;
}

std::string usageText() {
    constexpr std::size_t CommandColumn = 12;
    constexpr std::size_t OptionColumn = 24;
    std::string text =
        "usage: vantrelctl [-q] [--device DEVICE]... COMMAND [OPERAND...] [OPTION...]\n"
        "\ncommands:\n";
    for (const CommandShape& shape : commandTable()) {
        std::string line = "  " + std::string(shape.name);
        line.resize(CommandColumn, ' ');
        text += line + wrapText(shape.summary, CommandColumn, CommandColumn) + "\n";
    }
    text += "\noptions:\n";
    for (const OptionShape& option : optionTable()) {
        text += optionHelp(option, OptionColumn);
    }
    text +=
        "\n" +
        wrapText("FILE may be a configuration file as the windows save it or its JSON form, "
                 "or - for standard input. OUT of export, card and import may be - for "
                 "standard output. The JSON form is described in " +
                     std::string(build::InstalledReadmePath) +
                     ". 'vantrelctl help COMMAND' tells everything about one command.\n"
                     "Exit status: 0 success, 1 failure, 2 usage error; diff and check: 0 equal "
                     "or nothing found, 1 different or something found, 2 trouble.",
                 0, 0) +
        "\n";
    return text;
}

std::string commandUsageText(std::string_view command) {
    const CommandShape* shape = findCommand(command);
    if (shape == nullptr) {
        return {};
    }
    constexpr std::size_t UnderCommand = 7; // under "vantrelctl"
    return wrapText(usageLine(*shape), 0, UnderCommand) + "\n" + commandHelp(*shape);
}

} // namespace vantrel::cli
