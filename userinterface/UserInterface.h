#pragma once

#include <string>

// How code without a window asks the user, and the texts both front ends
// show. The windows plug in message boxes; tests plug in recorders.
namespace vantrel {

/// Title of transfer and file failures and of the save-changes question.
inline constexpr const char* MainWindowCaption = "VANTREL Configuration Utility";
/// Title of every other message.
inline constexpr const char* ApplicationTitle = "VANTREL";

// Texts that several commands show for the same failure, the windows and the
// command-line tool alike, kept in one place so that they cannot drift apart.
inline constexpr const char* SizeLimitText = "This configuration exceeds the maximum size limit.";
inline constexpr const char* InvalidConfigurationText = "Error: Invalid configuration file";
inline constexpr const char* FileTooLongText = "Invalid configuration file";
inline constexpr const char* SaveFailedText = "Error saving file";
inline constexpr const char* OpenFailedText = "Error opening the file";

// How a transfer ends, as the windows tell it; the tool says the successes
// in the same words.
inline constexpr const char* NotFoundText = "The VANTREL was not found";
inline constexpr const char* WriteErrorText = "Error while writing to the VANTREL";
inline constexpr const char* ReadErrorText = "Error while reading from the VANTREL";
inline constexpr const char* WriteSuccessText =
    "The configuration was successfully saved to the device";
inline constexpr const char* ReadSuccessText =
    "The configuration was successfully read from the device";

enum class MessageIcon { None, Stop, Exclamation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

/// The answer that changes nothing: OK for a notice, No for a Yes/No
/// question, Cancel for Yes/No/Cancel. A box closed without a button (Esc,
/// its close box) gives it, and so does a front end that cannot ask.
[[nodiscard]] constexpr MessageAnswer quietAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo         ? MessageAnswer::No
           : buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                    : MessageAnswer::Ok;
}

/// A modal message box.
class MessagePrompter {
public:
    virtual ~MessagePrompter() = default;
    virtual MessageAnswer showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons) = 0;

protected:
    MessagePrompter() = default;
    MessagePrompter(const MessagePrompter&) = default;
    MessagePrompter& operator=(const MessagePrompter&) = default;
};

} // namespace vantrel
