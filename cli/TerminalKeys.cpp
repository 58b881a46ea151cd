#include "cli/TerminalKeys.h"

#ifndef _WIN32
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace vantrel::cli {

#ifndef _WIN32
struct TerminalKeys::Saved {
    termios settings{};
};

TerminalKeys::TerminalKeys(bool active) {
    termios settings{};
    if (!active || isatty(STDIN_FILENO) == 0 || tcgetattr(STDIN_FILENO, &settings) != 0) {
        return;
    }
    saved_ = std::make_unique<Saved>(Saved{settings});
    settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &settings) == 0;
}

TerminalKeys::~TerminalKeys() {
    if (saved_) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_->settings);
    }
}

std::vector<TracedPress> TerminalKeys::pressed() const {
    std::vector<TracedPress> keys;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (active_ && poll(&input, 1, 0) > 0 && (input.revents & POLLIN) != 0) {
        char byte = 0;
        if (read(STDIN_FILENO, &byte, 1) != 1) {
            break;
        }
        if (byte == '\n' || byte == '\r') {
            keys.push_back({TracedPress::Kind::Skip, 0, {}});
        } else if (byte == '\x7f' || byte == '\b') {
            keys.push_back({TracedPress::Kind::Back, 0, {}});
        }
    }
    return keys;
}
#else
// A console on Windows has no such mode here: Enter and Backspace come only
// from recordings.
struct TerminalKeys::Saved {};
TerminalKeys::TerminalKeys(bool /*active*/) {}
TerminalKeys::~TerminalKeys() = default;
std::vector<TracedPress> TerminalKeys::pressed() const {
    return {};
}
#endif

} // namespace vantrel::cli
