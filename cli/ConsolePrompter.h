#pragma once

#include "cli/Console.h"
#include "userinterface/UserInterface.h"

#include <string>

namespace vantrel::cli {

/// The transfers' message boxes on a console. A failure (any message with
/// an icon) becomes the one error line on standard error; a success is kept
/// for the command to report once it has finished everything it does. A
/// question is never asked of a script: it gets quietAnswer.
class ConsolePrompter final : public MessagePrompter {
public:
    /// `step` names the part of a command the messages belong to ("verify"),
    /// so that an error says which transfer failed; empty for the main one.
    explicit ConsolePrompter(const Console& console, std::string step = {})
        : console_(console)
        , step_(std::move(step)) {}

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;

    /// Says on standard error, as one line named by the step, what went wrong.
    void fail(const std::string& text) const;

    /// The text of the last success message; empty when there was none.
    [[nodiscard]] const std::string& lastSuccess() const { return lastSuccess_; }

private:
    const Console& console_;
    std::string step_;
    std::string lastSuccess_;
};

/// A message box's text on one line: its lines joined by spaces, trimmed.
[[nodiscard]] std::string oneLine(const std::string& text);

} // namespace vantrel::cli
