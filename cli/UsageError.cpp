#include "cli/UsageError.h"

#include "cli/CommandHelp.h"
#include "cli/CommandTable.h"

namespace vantrel::cli {
namespace {

/// "unknown command "wirte"; did you mean write?"
std::string unknownCommand(const std::string& name) {
    const std::string_view closest = closestCommand(name);
    return "unknown command \"" + name + "\"" +
           (closest.empty() ? "" : "; did you mean " + std::string(closest) + "?");
}

/// "unknown option "--jsn"; did you mean --json?"
std::string unknownOption(const std::string& arg) {
    const std::string_view closest = closestOption(arg.substr(0, arg.find('=')));
    return "unknown option \"" + arg + "\"" +
           (closest.empty() ? "" : "; did you mean " + std::string(closest) + "?");
}

/// The words that need no command to say.
std::string withoutCommand(const UsageResult& error) {
    switch (error.kind) {
    case UsageError::NoCommand:
        return "no command given";
    case UsageError::UnknownCommand:
        return unknownCommand(error.detail);
    case UsageError::UnknownOption:
        return unknownOption(error.detail);
    case UsageError::NeedsValue:
        return error.detail + " needs a value";
    case UsageError::GivenTwice:
        return error.detail + " is given twice";
    case UsageError::VerifyContradicted:
        return "--verify and --no-verify contradict each other";
    case UsageError::UnknownDevice:
        return "unknown device \"" + error.detail +
               "\" (expected emulated:PATH or usb: with a number, node, port or serial number)";
    case UsageError::StandardInputTwice:
        return "standard input (-) can be read only once";
    default:
        return {};
    }
}

/// What is wrong with the words of a command there is, without its usage.
std::string withCommand(const UsageResult& error, const std::string& name) {
    switch (error.kind) {
    case UsageError::TakesNoDevice:
        return name + " takes no --device";
    case UsageError::DeviceTwice:
        return error.detail + " is named twice";
    case UsageError::TakesOneDevice:
        return name + " takes one device";
    case UsageError::BackupTakesOneDevice:
        return "--backup takes one device";
    case UsageError::DeviceAndFile:
        return name + " reads --device in place of a FILE, not both";
    case UsageError::UnknownList:
        return "unknown list \"" + error.detail + "\"";
    case UsageError::TakesNoOutput:
        return name + " takes no -o";
    case UsageError::BackupNotStandard:
        return "--backup writes a file, not standard output";
    case UsageError::WriteOptionsElsewhere:
        return "--verify, --no-verify and --backup belong to write";
    case UsageError::StrictElsewhere:
        return "--strict belongs to import, write and check";
    case UsageError::JsonElsewhere:
        return "--json belongs to monitor, check, diff and devices";
    case UsageError::LayoutElsewhere:
        return "--layout belongs to new";
    case UsageError::LabelsFromElsewhere:
        return "--labels-from belongs to export";
    case UsageError::FromElsewhere:
        return "--from belongs to new";
    case UsageError::PlayersWithoutFrom:
        return "--players belongs to new --from";
    case UsageError::LayoutAndFrom:
        return "new starts from --layout or --from, not both";
    case UsageError::MonitorOptionsElsewhere:
        return "--events belongs to monitor and learn, --config and --no-grab to monitor";
    case UsageError::LearnOptionsElsewhere:
        return "--no-write and --order belong to learn";
    case UsageError::ConfigsPerDevice:
        return "monitor takes one --config per --device, in the same order";
    case UsageError::EventsPerDevice:
        return "with several devices monitor replays one --events per device, in the same order";
    default: // Operands, OutputNeeded: the usage says it all
        return {};
    }
}

} // namespace

std::string usageLine(const CommandShape& shape) {
    return "usage: vantrelctl [--device DEVICE] " + std::string(shape.synopsis);
}

std::string usageErrorLine(const UsageResult& error, std::string_view command) {
    if (error.ok()) {
        return {};
    }
    if (std::string words = withoutCommand(error); !words.empty()) {
        return words;
    }
    const CommandShape* shape = findCommand(command);
    if (shape == nullptr) { // the kinds above are the only ones without a command
        return unknownCommand(std::string(command));
    }
    const std::string words = withCommand(error, std::string(shape->name));
    return words.empty() ? usageLine(*shape) : words + "; " + usageLine(*shape);
}

} // namespace vantrel::cli
