#pragma once

#include <fstream>
#include <string>

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

} // namespace vantrel
