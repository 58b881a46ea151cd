#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

namespace vantrel::cli {

/// Lists every name the readable format accepts: one list when the command
/// names it, otherwise all of them under their headings.
int namesCommand(const Invocation& invocation, const Console& console);

} // namespace vantrel::cli
