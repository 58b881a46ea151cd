#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"

#include <cstdint>
#include <span>
#include <string_view>

// What the tool accepts, command by command and option by option: the one
// table the parser checks against and --help, the manual page and the shell
// completions are made from, and the one the tool runs commands by, so
// that none of them can fall behind.
namespace vantrel::cli {

enum class Need { No, Optional, Required };

/// How many devices a command takes with --device.
enum class DeviceUse {
    None,
    Source,  ///< one, read in place of the first FILE
    One,     ///< one, the device the command works on
    Several, ///< any number, each in turn
};

/// What a command's operands are, so that a shell can offer the right words.
enum class OperandKind { Files, NameGroups, Commands };

enum class OptionId {
    Help,
    Version,
    Quiet,
    Device,
    Output,
    Verify,
    NoVerify,
    Backup,
    Events,
    Config,
    Json,
    NoGrab,
    Strict,
    Layout,
    LabelsFrom,
    From,
    Players,
    NoWrite,
    Order,
};

/// The options a command takes beyond those every command takes (--help,
/// --quiet), -o (its `output`) and --device (its `devices`): one bit each.
using OptionSet = std::uint32_t;

template <typename... Ids>
constexpr OptionSet optionsOf(Ids... ids) {
    return (OptionSet{0} | ... | (OptionSet{1} << static_cast<unsigned>(ids)));
}

/// What runs a command once its words are checked: its exit status.
using CommandHandler = int (*)(const Invocation& invocation, const Console& console,
                               const DeviceBackendFactory& devices);

/// What one command takes, and what runs it.
struct CommandShape {
    std::string_view name;
    std::string_view synopsis;
    std::size_t operands;
    std::size_t optionalOperands; ///< may follow the required ones
    OperandKind operandKind;
    Need output;
    DeviceUse devices;
    OptionSet options;
    CommandHandler run;
    std::string_view summary;

    [[nodiscard]] bool takes(OptionId id) const { return (options & optionsOf(id)) != 0; }
};

/// What an option's value is, so that a shell can offer the right words.
enum class OptionValue { None, File, Device, Layout, FrontEnd, Number };

struct OptionShape {
    OptionId id;
    std::string_view name;      ///< "--output"; also accepted as "--output=VALUE"
    std::string_view shortName; ///< "-o", or empty
    OptionValue value;
    std::string_view valueName; ///< "OUT" in --help; empty for a switch
    std::string_view summary;   ///< may run over several lines
};

[[nodiscard]] std::span<const CommandShape> commandTable();
[[nodiscard]] std::span<const OptionShape> optionTable();

[[nodiscard]] const CommandShape* findCommand(std::string_view name);

/// The option `arg` names, whether written alone or as "--name=VALUE".
[[nodiscard]] const OptionShape* findOption(std::string_view arg);

/// What a command's usage says beyond its synopsis and summary; empty for
/// most.
[[nodiscard]] std::string_view commandDetails(std::string_view command);

/// Whether the command takes the option, so that its help and the shells
/// offer exactly the options it takes. --version belongs to no command.
[[nodiscard]] bool optionAppliesTo(const OptionShape& option, const CommandShape& command);

/// Whether the command reads a configuration that --device may name in
/// place of its first FILE.
[[nodiscard]] bool readsDeviceAsSource(const CommandShape& command);

/// Whether the option may come before any command.
[[nodiscard]] bool isGlobalOption(const OptionShape& option);

} // namespace vantrel::cli
