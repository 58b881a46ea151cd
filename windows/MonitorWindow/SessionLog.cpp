#include "windows/MonitorWindow/SessionLog.h"

#include "files/PathText.h"
#include "files/SameFile.h"

namespace vantrel {

SessionLog::SessionLog(const std::string& path)
    : path_(path)
    , file_(pathFromUtf8(path), std::ios::out | std::ios::trunc) {
    ok_ = file_.good();
}

bool SessionLog::write(const std::string& line) {
    if (ok_) {
        file_ << line << '\n' << std::flush;
        ok_ = file_.good();
    }
    return ok_;
}

LogOverInput logOverInput(const std::string& log, const std::string& configuration,
                          const std::vector<std::string>& recordings) {
    const auto replaces = [&log](const std::string& input) {
        return !input.empty() && input != "-" && sameFile(pathFromUtf8(log), pathFromUtf8(input));
    };
    if (replaces(configuration)) {
        return {LogClash::Configuration, configuration};
    }
    for (const std::string& recording : recordings) {
        if (replaces(recording)) {
            return {LogClash::Recording, recording};
        }
    }
    return {};
}

std::string logOverInputText(const std::string& logWords, const LogOverInput& replaced) {
    const char* input =
        replaced.kind == LogClash::Configuration ? "the configuration " : "the recording ";
    return logWords + " is the same file as " + input + replaced.detail +
           "; give the log a name of its own";
}

} // namespace vantrel
