#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

#include <optional>
#include <string>

namespace vantrel::cli {

/// What this process's descriptors 0, 1 and 2 are.
[[nodiscard]] StandardFiles standardFilesOfProcess();

/// Why a command may not run because an output would destroy what it
/// works from; empty line when every output is a file of its own.
struct OutputRefusal {
    std::string line;
    /// Standard error is the file concerned: writing the refusal there would
    /// do the damage it prevents.
    bool onStandardError = false;

    [[nodiscard]] bool refused() const { return !line.empty(); }
};

/// The one place every output of a command passes before anything is read
/// or written: an output (-o, --backup, standard output and error) that is
/// the same file as one of the command's inputs (standard input among
/// them), an emulated device's memory file or its lock file would destroy
/// what the command works from or stands on.
[[nodiscard]] OutputRefusal outputOverInput(const Invocation& invocation,
                                            const StandardFiles& standard = {});

} // namespace vantrel::cli
