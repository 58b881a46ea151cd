#include "cli/CommandLine.h"

#include "cli/CommandHelp.h"
#include "cli/CommandTable.h"
#include "cli/FormatHelp.h"
#include "cli/UsageError.h"
#include "device/selection/DeviceSelection.h"
#include "formats/NameLists.h"
#include "generated/BuildConfig.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace vantrel::cli {
namespace {

/// Walks the arguments, handing out option values.
class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const std::string> args)
        : args_(args) {}

    [[nodiscard]] bool done() const { return next_ >= args_.size(); }
    const std::string& take() { return args_[next_++]; }

    /// The value of an option written "--name VALUE" or "--name=VALUE";
    /// none when the words end before it.
    std::optional<std::string> valueOf(const std::string& arg, std::string_view name) {
        if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
            return arg.substr(name.size() + 1);
        }
        if (done()) {
            return std::nullopt;
        }
        return take();
    }

private:
    std::span<const std::string> args_;
    std::size_t next_ = 0;
};

/// Stores an option's value, refusing one given twice.
UsageResult setOnce(std::optional<std::string>& slot, std::string value, std::string_view name) {
    if (slot) {
        return {UsageError::GivenTwice, std::string(name)};
    }
    slot = std::move(value);
    return {};
}

UsageResult applyValue(OptionId id, std::string value, Invocation& invocation) {
    switch (id) {
    case OptionId::Device:
        invocation.devices.push_back(std::move(value));
        break;
    case OptionId::Output:
        return setOnce(invocation.output, std::move(value), "-o");
    case OptionId::Backup:
        return setOnce(invocation.backup, std::move(value), "--backup");
    case OptionId::Events:
        invocation.events.push_back(std::move(value));
        break;
    case OptionId::Layout:
        return setOnce(invocation.layout, std::move(value), "--layout");
    case OptionId::LabelsFrom:
        return setOnce(invocation.labelsFrom, std::move(value), "--labels-from");
    case OptionId::From:
        return setOnce(invocation.from, std::move(value), "--from");
    case OptionId::Players:
        return setOnce(invocation.players, std::move(value), "--players");
    case OptionId::Config:
        invocation.configs.push_back(std::move(value));
        break;
    default:
        break;
    }
    return {};
}

UsageResult applySwitch(OptionId id, Invocation& invocation) {
    switch (id) {
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
        const bool wanted = id == OptionId::Verify;
        const bool contradicted = invocation.verify.value_or(wanted) != wanted;
        invocation.verify = wanted;
        if (contradicted) {
            return {UsageError::VerifyContradicted, {}};
        }
        break;
    }
    case OptionId::Json:
        invocation.json = true;
        break;
    case OptionId::NoGrab:
        invocation.grab = false;
        break;
    case OptionId::Strict:
        invocation.strict = true;
        break;
    case OptionId::NoWrite:
        invocation.write = false;
        break;
    case OptionId::Order:
        invocation.anyOrder = true;
        break;
    default:
        break;
    }
    return {};
}

UsageResult applyOption(const OptionShape& option, const std::string& arg, ArgumentReader& reader,
                        Invocation& invocation) {
    if (option.value == OptionValue::None) {
        return applySwitch(option.id, invocation);
    }
    // A value is asked for by the name the user wrote, so "-o" says "-o".
    const std::string_view written = arg.starts_with(option.name) ? option.name : option.shortName;
    std::optional<std::string> value = reader.valueOf(arg, written);
    if (!value) {
        return {UsageError::NeedsValue, std::string(written)};
    }
    return applyValue(option.id, std::move(*value), invocation);
}

/// A device the words name more than once, as it was written the second
/// time; empty when each is named once.
std::string namedTwice(const std::vector<std::string>& devices) {
    for (auto it = devices.begin(); it != devices.end(); ++it) {
        if (std::find(devices.begin(), it, *it) != it) {
            return *it;
        }
    }
    return {};
}

/// "-ox.json": a short option with its value run on, as "-o x.json".
std::optional<std::pair<const OptionShape*, std::string>> runOnValue(const std::string& arg) {
    for (const OptionShape& option : optionTable()) {
        const std::string_view name = option.shortName;
        if (!name.empty() && option.value != OptionValue::None && arg.size() > name.size() &&
            arg.starts_with(name)) {
            return std::pair{&option, arg.substr(name.size())};
        }
    }
    return std::nullopt;
}

UsageResult checkDevices(const Invocation& invocation, const CommandShape& shape) {
    for (const std::string& device : invocation.devices) {
        if (!isDeviceName(device)) {
            return {UsageError::UnknownDevice, device};
        }
    }
    if (!invocation.devices.empty() && shape.devices == DeviceUse::None) {
        return {UsageError::TakesNoDevice, {}};
    }
    if (const auto twice = namedTwice(invocation.devices); !twice.empty()) {
        return {UsageError::DeviceTwice, twice};
    }
    if (invocation.devices.size() <= 1) {
        return {};
    }
    if (shape.devices != DeviceUse::Several) {
        return {UsageError::TakesOneDevice, {}};
    }
    if (invocation.backup) {
        return {UsageError::BackupTakesOneDevice, {}};
    }
    return {};
}

UsageResult checkOperands(const Invocation& invocation, const CommandShape& shape) {
    const std::size_t given = invocation.operands.size();
    // --device takes the place of the first FILE.
    const bool fromDevice = !invocation.devices.empty() && readsDeviceAsSource(shape);
    const std::size_t needed = shape.operands - (fromDevice ? 1 : 0);
    if (fromDevice && given == shape.operands) {
        return {UsageError::DeviceAndFile, {}};
    }
    if (given < needed || given > needed + shape.optionalOperands) {
        return {UsageError::Operands, {}};
    }
    const auto standardInputs =
        std::count(invocation.operands.begin(), invocation.operands.end(), "-") +
        std::count(invocation.events.begin(), invocation.events.end(), "-") +
        std::count(invocation.configs.begin(), invocation.configs.end(), "-");
    if (standardInputs > 1) {
        return {UsageError::StandardInputTwice, {}};
    }
    if (shape.name == "help" && given == 1 && invocation.operands[0] != FormatTopic &&
        findCommand(invocation.operands[0]) == nullptr) {
        return {UsageError::UnknownCommand, invocation.operands[0]};
    }
    if (shape.name == "names" && given == 1 && !nameGroupNamed(invocation.operands[0])) {
        return {UsageError::UnknownList, invocation.operands[0]};
    }
    return {};
}

// Each encoder has its configuration: its own, or one --config each in the
// order of --device; replayed, one recording each.
UsageResult checkMonitorDevices(const Invocation& invocation) {
    const std::size_t devices = invocation.devices.size();
    const std::size_t configs = invocation.configs.size();
    if (devices > 0 && configs > 0 && devices != configs) {
        return {UsageError::ConfigsPerDevice, {}};
    }
    const std::size_t encoders = std::max(devices, configs);
    if (encoders > 1 && !invocation.events.empty() && invocation.events.size() != encoders) {
        return {UsageError::EventsPerDevice, {}};
    }
    return {};
}

/// The first kind whose rule the command's options break, in the order
/// they are checked.
UsageError checkOptions(const Invocation& invocation, const CommandShape& shape) {
    const bool monitorOptions = (!invocation.events.empty() && !shape.takes(OptionId::Events)) ||
                                (!invocation.configs.empty() && !shape.takes(OptionId::Config)) ||
                                (!invocation.grab && !shape.takes(OptionId::NoGrab));
    const bool learnOptions = !invocation.write || invocation.anyOrder;
    // new reads a FILE only to take a front end's layout from it.
    const bool fileWithoutFrom =
        shape.takes(OptionId::From) && invocation.operands.size() != (invocation.from ? 1U : 0U);
    const std::array<std::pair<bool, UsageError>, 14> rules{{
        {shape.output == Need::Required && !invocation.output, UsageError::OutputNeeded},
        {shape.output == Need::No && invocation.output, UsageError::TakesNoOutput},
        {invocation.backup == "-", UsageError::BackupNotStandard},
        {!shape.takes(OptionId::Backup) && (invocation.verify || invocation.backup),
         UsageError::WriteOptionsElsewhere},
        {invocation.strict && !shape.takes(OptionId::Strict), UsageError::StrictElsewhere},
        {invocation.json && !shape.takes(OptionId::Json), UsageError::JsonElsewhere},
        {monitorOptions, UsageError::MonitorOptionsElsewhere},
        {learnOptions && !shape.takes(OptionId::Order), UsageError::LearnOptionsElsewhere},
        {invocation.layout && !shape.takes(OptionId::Layout), UsageError::LayoutElsewhere},
        {invocation.labelsFrom && !shape.takes(OptionId::LabelsFrom),
         UsageError::LabelsFromElsewhere},
        {invocation.from && !shape.takes(OptionId::From), UsageError::FromElsewhere},
        {invocation.players && !invocation.from, UsageError::PlayersWithoutFrom},
        {invocation.layout && invocation.from, UsageError::LayoutAndFrom},
        {fileWithoutFrom, UsageError::Operands},
    }};
    for (const auto& [broken, kind] : rules) {
        if (broken) {
            return kind;
        }
    }
    return UsageError::None;
}

UsageResult checkAgainstShape(const Invocation& invocation) {
    const CommandShape* shape = findCommand(invocation.command);
    if (shape == nullptr) {
        return {UsageError::UnknownCommand, invocation.command};
    }
    if (UsageResult problem = checkDevices(invocation, *shape); !problem.ok()) {
        return problem;
    }
    if (UsageResult problem = checkOperands(invocation, *shape); !problem.ok()) {
        return problem;
    }
    if (const UsageError broken = checkOptions(invocation, *shape); broken != UsageError::None) {
        return {broken, {}};
    }
    return shape->name == "monitor" ? checkMonitorDevices(invocation) : UsageResult{};
}

} // namespace

ParsedCommandLine parseCommandLine(std::span<const std::string> args) {
    Invocation invocation;
    UsageResult error;
    ArgumentReader reader(args);
    bool optionsEnded = false;
    while (!reader.done() && error.ok()) {
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
            error = applyOption(*option, arg, reader, invocation);
        } else if (const auto runOn = runOnValue(arg)) {
            error = applyValue(runOn->first->id, runOn->second, invocation);
        } else {
            error = {UsageError::UnknownOption, arg};
        }
    }
    if (error.ok() && invocation.help && !invocation.command.empty() &&
        findCommand(invocation.command) == nullptr) {
        error = {UsageError::UnknownCommand, invocation.command};
    }
    if (error.ok() && !invocation.help && !invocation.version) {
        error = invocation.command.empty() ? UsageResult{UsageError::NoCommand, {}}
                                           : checkAgainstShape(invocation);
    }
    if (!error.ok()) {
        UsageFailure failure;
        failure.kind = error.kind;
        failure.detail = std::move(error.detail);
        failure.command = std::move(invocation.command);
        return failure;
    }
    return invocation;
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
                 "standard output. The JSON form is described by 'vantrelctl help format' and in "
                 "the manual page " +
                     std::string(build::FormatManualPage) +
                     ". 'vantrelctl help COMMAND' tells everything "
                     "about one command.\n"
                     "Exit status: 0 success, 1 failure, 2 usage error; diff and check: 0 equal "
                     "or no mistake found, 1 different or a mistake found, 2 trouble.",
                 0, 0) +
        "\n";
    return text;
}

std::string commandUsageText(std::string_view command) {
    if (command == FormatTopic) {
        return formatHelpText();
    }
    const CommandShape* shape = findCommand(command);
    if (shape == nullptr) {
        return {};
    }
    constexpr std::size_t UnderCommand = 7; // under "vantrelctl"
    return wrapText(usageLine(*shape), 0, UnderCommand) + "\n" + commandHelp(*shape);
}

} // namespace vantrel::cli
