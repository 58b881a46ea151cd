#pragma once

#include "cli/CommandLine.h"

#include <string>

namespace vantrel::cli {

/// The one place every output of a command passes before anything is read
/// or written: an output (-o, --backup) that is the same file as one of the
/// command's inputs, or as an emulated device's memory file, would destroy
/// what the command works from. Returns the usage error that names both;
/// empty when every output is a file of its own.
[[nodiscard]] std::string outputOverInput(const Invocation& invocation);

} // namespace vantrel::cli
