#pragma once

#include "cli/UsageError.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The words a user types after the program's name, checked against what
// each command takes before anything is opened.
namespace vantrel::cli {

struct Invocation {
    std::string command; ///< empty with --help or --version alone
    std::vector<std::string> operands;
    std::vector<std::string> devices;  ///< each --device DEVICE, in order
    std::optional<std::string> output; ///< -o OUT
    std::optional<std::string> backup; ///< --backup OUT
    /// --verify (true) or --no-verify (false); write verifies unless told not to.
    std::optional<bool> verify;
    std::vector<std::string> events;  ///< --events FILE, once per recording
    std::vector<std::string> configs; ///< --config FILE, once per device
    bool json = false;                ///< --json
    bool grab = true;                 ///< --no-grab turns it off
    bool help = false;                ///< with a command: that command's usage
    bool version = false;
    bool quiet = false;                    ///< no progress and no success lines
    bool strict = false;                   ///< import, write: a finding of check is an error
    std::optional<std::string> layout;     ///< --layout NAME of new
    std::optional<std::string> from;       ///< --from FRONTEND of new
    std::optional<std::string> players;    ///< --players N of new --from
    std::optional<std::string> labelsFrom; ///< --labels-from LAYOUT of export
    bool write = true;                     ///< --no-write of learn turns it off
    bool anyOrder = false;                 ///< --order of learn
};

/// What is wrong with the words, and the command they name (empty when
/// none), whose usage the tool points to after it.
struct UsageFailure : UsageResult {
    std::string command;
};

using ParsedCommandLine = Expected<Invocation, UsageError, UsageFailure>;

/// Reads the arguments that follow the program's name. Options may come
/// before or after the command, as "--name VALUE" or "--name=VALUE"; "--"
/// ends the options.
[[nodiscard]] ParsedCommandLine parseCommandLine(std::span<const std::string> args);

/// The synopsis of every command, for --help and after a usage error.
[[nodiscard]] std::string usageText();

/// What "help format" tells about: the JSON form rather than a command.
constexpr std::string_view FormatTopic = "format";

/// One command's usage, for "help COMMAND" and "COMMAND --help", the JSON
/// form's description for FormatTopic; empty for a name that is no command.
[[nodiscard]] std::string commandUsageText(std::string_view command);

} // namespace vantrel::cli
