#pragma once

#include "model/Result.h"

#include <string>
#include <string_view>

// What can be wrong with the words a user types, as kinds; the tool words
// each once.
namespace vantrel::cli {

enum class UsageError {
    None,
    NoCommand,
    UnknownCommand,          ///< detail: the word given as a command
    UnknownOption,           ///< detail: the word
    NeedsValue,              ///< detail: the option as written
    GivenTwice,              ///< detail: the option
    VerifyContradicted,      ///< both --verify and --no-verify
    UnknownDevice,           ///< detail: the device as given
    TakesNoDevice,           ///< the command reads no device
    TakesOneDevice,          ///< several devices for a command that takes one
    DeviceTwice,             ///< detail: the device named twice
    BackupTakesOneDevice,    ///< --backup with several devices
    DeviceAndFile,           ///< --device and the FILE it stands in for
    Operands,                ///< too few or too many words after the command
    StandardInputTwice,      ///< "-" more than once
    UnknownList,             ///< detail: the list asked for
    OutputNeeded,            ///< no -o where the command writes a file
    TakesNoOutput,           ///< -o where the command writes none
    BackupNotStandard,       ///< --backup -
    WriteOptionsElsewhere,   ///< --verify, --no-verify or --backup outside write
    StrictElsewhere,         ///< --strict outside import, write and check
    JsonElsewhere,           ///< --json where nothing is reported in JSON
    MonitorOptionsElsewhere, ///< --events, --config or --no-grab where the command reads none
    LearnOptionsElsewhere,   ///< --no-write or --order outside learn
    LayoutElsewhere,         ///< --layout outside new
    LabelsFromElsewhere,     ///< --labels-from outside export
    FromElsewhere,           ///< --from outside new
    PlayersWithoutFrom,      ///< --players without --from
    LayoutAndFrom,           ///< new with both --layout and --from
    ConfigsPerDevice,        ///< monitor: --config and --device counts differ
    EventsPerDevice,         ///< monitor: --events and device counts differ
};

using UsageResult = Result<UsageError>;

struct CommandShape;

/// "usage: vantrelctl [--device DEVICE] SYNOPSIS"
[[nodiscard]] std::string usageLine(const CommandShape& shape);

/// The tool's line for what is wrong with the words of `command` (as the
/// user gave it), the command's usage after it where that helps.
[[nodiscard]] std::string usageErrorLine(const UsageResult& error, std::string_view command);

} // namespace vantrel::cli
