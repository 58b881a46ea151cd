#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "model/Result.h"

namespace vantrel::cli {

/// What this process's descriptors 0, 1 and 2 are.
[[nodiscard]] StandardFiles standardFilesOfProcess();

/// Which output would destroy what a command works from.
enum class OutputClash {
    None,           ///< every output is a file of its own
    NamedOutput,    ///< -o or --backup
    StandardOutput, ///< appended to the command's own input or device
    StandardError,  ///< the same, where writing the refusal would do the damage it prevents
};

/// Why a command may not run; `detail` is the refusal as the tool says it,
/// naming the output and the input it is.
using OutputRefusal = Result<OutputClash>;

/// The one place every output of a command passes before anything is read
/// or written: an output (-o, --backup, standard output and error) that is
/// the same file as one of the command's inputs (standard input among
/// them), an emulated device's memory file or its lock file would destroy
/// what the command works from or stands on.
[[nodiscard]] OutputRefusal outputOverInput(const Invocation& invocation,
                                            const StandardFiles& standard = {});

} // namespace vantrel::cli
