#pragma once

#include "UserInterface.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel::testing {

/// One message box as the code asked for it.
struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

/// Records every message box and gives the queued answers; a box with only
/// an OK button answers Ok by itself, any other needs a scripted answer.
class RecordingPrompter : public MessagePrompter {
public:
    void answer(MessageAnswer next) { answers_.push_back(next); }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        shown_.push_back({text, title, icon, buttons});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers_.empty()) {
            throw std::logic_error("a question was asked with no answer scripted");
        }
        const MessageAnswer next = answers_.front();
        answers_.pop_front();
        return next;
    }

    [[nodiscard]] const std::vector<ShownMessage>& shown() const { return shown_; }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<ShownMessage> shown_;
};

} // namespace vantrel::testing
