#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"
#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"

// The commands that look a configuration over for the cabinet builder.
namespace vantrel::cli {

/// One line per finding and the size line; 0 when nothing was found, 1 when
/// something was, 2 when the file cannot be opened.
int checkCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices);

/// Tells check's findings about a configuration that is about to be written
/// (import, write) as warnings on standard error, which -q does not hide.
/// With --strict a finding stops the command: false after saying so.
[[nodiscard]] bool passesCheck(const std::string& source, const Configuration& config,
                               const ConfigurationLabels& labels, const Invocation& invocation,
                               const Console& console);

/// The control card as an HTML page, to standard output unless -o is given.
int cardCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices);

} // namespace vantrel::cli
