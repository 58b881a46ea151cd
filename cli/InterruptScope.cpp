#include "cli/InterruptScope.h"

namespace vantrel::cli {

InterruptScope::InterruptScope(InterruptHandler handler) {
#ifdef _WIN32
    previous_ = std::signal(SIGINT, handler);
#else
    // Without SA_RESTART, Ctrl+C also wakes a read waiting on a silent pipe
    // (--events -), which then ends as the input would.
    struct sigaction stopping {};
    stopping.sa_handler = handler;
    sigemptyset(&stopping.sa_mask);
    sigaction(SIGINT, &stopping, &previous_);
#endif
}

InterruptScope::~InterruptScope() {
#ifdef _WIN32
    std::signal(SIGINT, previous_);
#else
    sigaction(SIGINT, &previous_, nullptr);
#endif
}

} // namespace vantrel::cli
