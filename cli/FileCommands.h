#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"
#include "formats/ConfigurationSource.h"

#include <optional>
#include <string_view>

// The commands that work on configuration files alone.
namespace vantrel::cli {

/// What "-" as a file reads, as messages name it.
constexpr std::string_view StandardInputName = "standard input";

/// How a command treats a file that opens only in part.
enum class Partial {
    Warn,   ///< say so and go on, as the windows would show it
    Refuse, ///< stop: a command that writes must not lose the rest silently
};

/// Opens a configuration for a command; on failure tells the user and
/// returns nothing.
[[nodiscard]] std::optional<LoadedConfiguration>
openConfiguration(const std::string& path, const Console& console, Partial partial);

/// A command's configuration: the device --device names, in place of the
/// first FILE, or a FILE operand; `name` is what messages call it.
struct Source {
    std::string name;
    std::optional<LoadedConfiguration> loaded;
};

/// Opens the command's `index`-th source (0 first); the device counts as
/// the first when --device is given.
[[nodiscard]] Source openSource(const Invocation& invocation, std::size_t index,
                                const Console& console, const DeviceBackendFactory& devices);

int showCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices);
int exportCommand(const Invocation& invocation, const Console& console,
                  const DeviceBackendFactory& devices);
int importCommand(const Invocation& invocation, const Console& console);
/// 0 when equal, 1 when different, 2 when either cannot be opened.
int diffCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices);

/// Writes a command's text to the file -o names, atomically, or to standard
/// output without -o or with "-o -" (whose failure the tool reports once, as
/// it ends). False after telling the user.
bool writeTextOutput(const Invocation& invocation, const std::string& text, const Console& console);

/// Warns when the device holds the configuration but the windows would
/// refuse every new assignment, saying how many bytes to free.
void warnWhenNoRoomToEdit(const std::string& source, const Configuration& config,
                          const Console& console);

/// Encodes and saves a configuration file atomically; tells the user and
/// returns false on failure, leaving any existing file as it was.
bool saveConfigurationFile(const std::string& path, const Configuration& config,
                           const DeviceSettings& settings, const Console& console);

} // namespace vantrel::cli
