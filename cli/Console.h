#pragma once

#include <ostream>
#include <string>

namespace vantrel::cli {

/// Exit statuses of the tool.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, ///< diff: the configurations differ
    ExitUsage = 2,   ///< diff: the configurations could not be compared
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
