#pragma once

#include "tests/cli/InProcessRun.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The built tool run as a user runs it: from a shell, in the test's folder.
namespace vantrel::testing {

/// Standard output closed rather than redirected; "&N" likewise sends it to
/// the test's own descriptor N.
inline constexpr const char* ClosedOutput = "&-";

/// Runs the tool once for each argument list, all side by side, and returns
/// once every run has ended. Standard output goes to `stdoutTo` when given
/// (">NAME" appends to NAME in the folder); what a run prints is otherwise
/// kept beside the folder, so that the folder holds only what the tool made;
/// standard error likewise to `stderrTo`. `launcher` comes before the tool
/// (another user's setpriv). No argument a test passes holds a quote, so
/// quoting each one keeps it one word. A run that waits for ever is ended
/// after 20 seconds and fails the test instead of hanging it.
inline std::vector<ToolResult>
runTools(const TemporaryFolder& folder, const std::vector<std::vector<std::string>>& runs,
         const std::string& stdoutTo = {}, const std::string& stdinFrom = "/dev/null",
         const std::string& stderrTo = {}, const std::string& launcher = {}) {
    const auto kept = [&folder](std::size_t run, const char* what) {
        return folder.path.string() + "." + std::to_string(run) + what;
    };
    const auto target = [](const std::string& to, const std::string& otherwise) {
        return to.empty()            ? "'" + otherwise + "'"
               : to.starts_with('&') ? to
               : to.starts_with('>') ? ">'" + to.substr(1) + "'"
                                     : "'" + to + "'";
    };
    std::string script;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        std::string command = "cd '" + folder.path.string() + "' && " + launcher +
                              " timeout 20 '" VANTRELCTL_PATH "'";
        for (const std::string& arg : runs[run]) {
            command += " '" + arg + "'";
        }
        script.append("(").append(command).append(" <'").append(stdinFrom).append("' >");
        script.append(target(stdoutTo, kept(run, ".out")));
        script.append(" 2>").append(target(stderrTo, kept(run, ".err"))).append("; echo $? >'");
        script.append(kept(run, ".status")).append("') & ");
    }
    // Each run's status is kept in a file of its own: a shell that did not
    // start leaves none, which reads as -1 below.
    [[maybe_unused]] const int shell = std::system((script + "wait").c_str());
    std::vector<ToolResult> results;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const std::string status = contentsOf(kept(run, ".status"));
        results.push_back({status.empty() ? -1 : std::stoi(status), contentsOf(kept(run, ".out")),
                           contentsOf(kept(run, ".err"))});
        for (const char* what : {".out", ".err", ".status"}) {
            std::filesystem::remove(kept(run, what));
        }
    }
    return results;
}

} // namespace vantrel::testing
