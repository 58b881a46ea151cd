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
/// once every run has ended. Standard output goes to `stdoutTo` when given;
/// what a run prints is otherwise kept beside the folder, so that the folder
/// holds only what the tool made. No argument a test passes holds a quote,
/// so quoting each one keeps it one word. A run that waits for ever is ended
/// after 20 seconds and fails the test instead of hanging it.
inline std::vector<ToolResult> runTools(const TemporaryFolder& folder,
                                        const std::vector<std::vector<std::string>>& runs,
                                        const std::string& stdoutTo = {},
                                        const std::string& stdinFrom = "/dev/null") {
    const auto kept = [&folder](std::size_t run, const char* what) {
        return folder.path.string() + "." + std::to_string(run) + what;
    };
    std::string script;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        std::string command =
            "cd '" + folder.path.string() + "' && timeout 20 '" VANTRELCTL_PATH "'";
        for (const std::string& arg : runs[run]) {
            command += " '" + arg + "'";
        }
        const std::string out = stdoutTo.empty()            ? "'" + kept(run, ".out") + "'"
                                : stdoutTo.starts_with('&') ? stdoutTo
                                                            : "'" + stdoutTo + "'";
        script.append("(").append(command).append(" <'").append(stdinFrom).append("' >");
        script.append(out).append(" 2>'").append(kept(run, ".err")).append("'; echo $? >'");
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
