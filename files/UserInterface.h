#pragma once

#include <string>

// How code without a window talks to the user. The windows plug in message
// boxes and the progress window; tests plug in recorders.
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

enum class MessageIcon { None, Stop, Exclamation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

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

/// The progress window of a transfer: created by show(), given a new
/// two-line text before every step, and gone after remove().
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    /// Shows a fresh window reading "Initializing...".
    virtual void show() = 0;
    /// Replaces the text and lets pending user-interface events run.
    virtual void SetStatus(const std::string& text) = 0;
    /// Removes the window and lets pending user-interface events run.
    virtual void remove() = 0;

protected:
    ProgressWindow() = default;
    ProgressWindow(const ProgressWindow&) = default;
    ProgressWindow& operator=(const ProgressWindow&) = default;
};

} // namespace vantrel
