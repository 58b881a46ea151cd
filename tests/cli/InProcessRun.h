#pragma once

#include "cli/Commands.h"

#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The tool's commands run in the test's own process, on devices the test
// makes, so that it can reach into them and into the console.
namespace vantrel::testing {

struct ToolResult {
    int status = -1; ///< exit status; the shell reports a crash as 128 + the signal
    std::string out, err;

    friend bool operator==(const ToolResult&, const ToolResult&) = default;
};

/// Readable failures: the status, then what each stream got.
inline void PrintTo(const ToolResult& result, std::ostream* os) {
    *os << "status " << result.status << "\nout: " << result.out << "\nerr: " << result.err;
}

/// A command line's words, split at blanks: no argument a test passes holds one.
inline std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

/// Runs the commands on the devices `devices` chooses, with the console as
/// `setUp` leaves it.
inline ToolResult runChoosing(const std::vector<std::string>& args,
                              const DeviceBackendFactory& devices,
                              const std::function<void(cli::Console&)>& setUp = {}) {
    std::ostringstream out;
    std::ostringstream err;
    cli::Console console{out, err};
    if (setUp) {
        setUp(console);
    }
    const int status = cli::runVantrelctl(args, console, devices);
    return {status, out.str(), err.str()};
}

/// Runs the commands on the backends `makeBackend` makes (none attached when
/// empty), with the console as `setUp` leaves it.
inline ToolResult runInProcess(const std::vector<std::string>& args,
                               const std::function<std::unique_ptr<DeviceBackend>()>& makeBackend,
                               const std::function<void(cli::Console&)>& setUp = {}) {
    return runChoosing(
        args,
        [&](const std::optional<std::string>&) -> DeviceChoice {
            return makeBackend ? DeviceChoice(makeBackend())
                               : DeviceChoiceResult{DeviceChoiceError::NotAttached, {}};
        },
        setUp);
}

} // namespace vantrel::testing
