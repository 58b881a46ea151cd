#pragma once

#include <ostream>
#include <string>

namespace vantrel::cli {

/// Exit statuses of the tool.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, ///< diff: the configurations differ; check: something was found
    /// A usage error; and for diff and check, which answer with 1, trouble:
    /// a file that cannot be opened or compared (as diff(1) uses 2).
    ExitTrouble = 2,
};

/// Where the tool's output goes.
struct Console {
    std::ostream& out;
    std::ostream& err;
    /// Standard error is a terminal, so progress may redraw one line.
    bool errIsTerminal = false;

    /// Tells the user what went wrong, as one line on standard error.
    void error(const std::string& message) const { err << "vantrelctl: " << message << '\n'; }
    void warning(const std::string& message) const {
        err << "vantrelctl: warning: " << message << '\n';
    }
};

} // namespace vantrel::cli
