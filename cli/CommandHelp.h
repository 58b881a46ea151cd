#pragma once

#include "cli/CommandTable.h"

#include <string>
#include <string_view>
#include <vector>

// What `help COMMAND` and `COMMAND --help` say beyond the usage line: what
// the command does, its options, its exit statuses and an example; and the
// wrapping that keeps every help line within a terminal's 80 columns.
namespace vantrel::cli {

/// The width every line of help fits in.
constexpr std::size_t HelpWidth = 80;

/// `text` broken at spaces into lines of at most HelpWidth columns, the
/// first starting at column `first`, the others after `indent` spaces; a
/// "\n" in `text` starts a new line.
[[nodiscard]] std::string wrapText(std::string_view text, std::size_t first, std::size_t indent);

/// One option's lines: its names, then its summary from column `column`.
[[nodiscard]] std::string optionHelp(const OptionShape& option, std::size_t column);

/// Every line of one command's help after its usage line.
[[nodiscard]] std::string commandHelp(const CommandShape& shape);

/// Prints the usage of the command asked about ("help COMMAND", "COMMAND
/// --help"), or of them all.
int helpCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices);

/// The command a mistyped name most likely meant; empty when none is close.
[[nodiscard]] std::string_view closestCommand(std::string_view name);

/// The option a mistyped one most likely meant ("--json" for "--jsn"); empty
/// when none is close.
[[nodiscard]] std::string_view closestOption(std::string_view name);

} // namespace vantrel::cli
