#pragma once

#include "model/Result.h"

#include <fstream>
#include <string>
#include <vector>

namespace vantrel {

/// The record of a wiring session: the monitor's lines as they come, then
/// its summary, in a file that can be kept or sent to someone. Each line
/// reaches the file at once, so that nothing is lost when the program is
/// ended abruptly.
class SessionLog {
public:
    /// Starts the file afresh; ok() says whether it could be made.
    explicit SessionLog(const std::string& path);

    [[nodiscard]] bool ok() const { return ok_; }
    [[nodiscard]] const std::string& path() const { return path_; }
    /// False once a line could not be written.
    bool write(const std::string& line);

private:
    std::string path_;
    std::ofstream file_;
    bool ok_ = false;
};

/// Which of what a session reads a log would replace.
enum class LogClash {
    None, ///< the log is a file of its own
    Configuration,
    Recording,
};

/// `detail` is the path of the input the log would replace.
using LogOverInput = Result<LogClash>;

/// What a log at `log` would replace of what a session reads: a log started
/// afresh over it would leave the session nothing to read. An empty
/// `configuration` is none.
[[nodiscard]] LogOverInput logOverInput(const std::string& log, const std::string& configuration,
                                        const std::vector<std::string>& recordings);

/// The refusal of such a log, named as `logWords` says ("--log s.txt").
[[nodiscard]] std::string logOverInputText(const std::string& logWords,
                                           const LogOverInput& replaced);

} // namespace vantrel
