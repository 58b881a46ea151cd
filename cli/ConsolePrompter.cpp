#include "cli/ConsolePrompter.h"

namespace vantrel::cli {

std::string oneLine(const std::string& text) {
    std::string line;
    bool pendingSpace = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == ' ') {
            pendingSpace = !line.empty();
            continue;
        }
        if (pendingSpace) {
            line += ' ';
            pendingSpace = false;
        }
        line += c;
    }
    return line;
}

MessageAnswer ConsolePrompter::showMessage(const std::string& text, const std::string& /*title*/,
                                           MessageIcon icon, MessageButtons buttons) {
    if (buttons != MessageButtons::Ok) {
        return quietAnswer(buttons); // a script is never asked
    }
    if (icon == MessageIcon::None) {
        lastSuccess_ = oneLine(text);
    } else {
        fail(text);
    }
    return MessageAnswer::Ok;
}

void ConsolePrompter::fail(const std::string& text) const {
    console_.error(step_.empty() ? oneLine(text) : step_ + ": " + oneLine(text));
}

} // namespace vantrel::cli
