#include "windows/MonitorWindow/SessionLog.h"

#include "files/PathText.h"

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

} // namespace vantrel
