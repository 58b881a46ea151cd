#pragma once

#include <csignal>

// Ctrl+C taken by a command for as long as it runs, and given back after.
namespace vantrel::cli {

using InterruptHandler = void (*)(int);

/// Runs `handler` on SIGINT while it lives; its end puts back what was there.
class InterruptScope {
public:
    explicit InterruptScope(InterruptHandler handler);
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;
    InterruptScope(InterruptScope&&) = delete;
    InterruptScope& operator=(InterruptScope&&) = delete;

private:
#ifdef _WIN32
    InterruptHandler previous_ = nullptr;
#else
    struct sigaction previous_ {};
#endif
};

} // namespace vantrel::cli
