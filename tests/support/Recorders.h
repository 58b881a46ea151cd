#pragma once

#include "device/TransferProgress.h"
#include "userinterface/UserInterface.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

// A stand-in for the progress and the message boxes that records, in one
// timeline, everything the user would have seen: the transfers' tests, the
// file commands' and the windows' use the same one.
namespace vantrel::testing {

/// One thing shown to the user.
struct UserEvent {
    enum class Kind { Status, Message };

    Kind kind = Kind::Message;
    std::string text; ///< a message's text
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    TransferProgress progress{}; ///< of a status

    friend bool operator==(const UserEvent&, const UserEvent&) = default;
};

inline UserEvent status(const TransferProgress& progress) {
    return {UserEvent::Kind::Status, {}, {}, MessageIcon::None, MessageButtons::Ok, progress};
}
inline UserEvent message(std::string text, std::string title, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::Ok) {
    return {UserEvent::Kind::Message, std::move(text), std::move(title), icon, buttons, {}};
}

/// Readable test failures: one event per line, control characters shown.
inline std::ostream& operator<<(std::ostream& out, const UserEvent& event) {
    static constexpr const char* kinds[] = {"status", "message"};
    static constexpr const char* icons[] = {"none", "stop", "exclamation"};
    static constexpr const char* buttons[] = {"ok", "yes/no", "yes/no/cancel"};
    out << kinds[static_cast<int>(event.kind)];
    if (!event.text.empty()) {
        out << " \"";
        for (const char c : event.text) {
            out << (c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c));
        }
        out << '"';
    }
    if (event.kind == UserEvent::Kind::Status) {
        const TransferProgress& p = event.progress;
        out << (p.direction == TransferDirection::Writing ? " writing " : " reading ")
            << (p.stage == TransferStage::Configuration ? "configuration " : "data ") << p.done
            << " of " << p.total;
    }
    if (event.kind == UserEvent::Kind::Message) {
        out << " title \"" << event.title << "\" icon " << icons[static_cast<int>(event.icon)]
            << " buttons " << buttons[static_cast<int>(event.buttons)];
    }
    return out;
}

/// Records every progress update and message box in order. A message is
/// answered with the next queued answer, or, when none is queued, with the
/// quiet answer, as a box closed without a choice.
class UserRecorder final : public TransferObserver, public MessagePrompter {
public:
    void update(const TransferProgress& progress) override { events_.push_back(status(progress)); }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        if (beforeMessage) {
            beforeMessage();
        }
        events_.push_back(message(text, title, icon, buttons));
        if (answers_.empty()) {
            return quietAnswer(buttons);
        }
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    /// Queues the answer to the next message box.
    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }

    [[nodiscard]] const std::vector<UserEvent>& events() const { return events_; }
    void clear() { events_.clear(); }

    /// The events of one kind, in order.
    [[nodiscard]] std::vector<UserEvent> of(UserEvent::Kind kind) const {
        std::vector<UserEvent> found;
        std::copy_if(events_.begin(), events_.end(), std::back_inserter(found),
                     [kind](const UserEvent& event) { return event.kind == kind; });
        return found;
    }
    /// The message boxes shown, in order.
    [[nodiscard]] std::vector<UserEvent> messages() const { return of(UserEvent::Kind::Message); }

    /// Runs as each message box comes up, to note what the user sees then.
    std::function<void()> beforeMessage;

private:
    std::vector<UserEvent> events_;
    std::deque<MessageAnswer> answers_;
};

} // namespace vantrel::testing
