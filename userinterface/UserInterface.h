#pragma once

#include <cstdint>
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

enum class TransferDirection { Writing, Reading };

/// "Writing" or "Reading", as every front end words a transfer.
[[nodiscard]] constexpr const char* transferVerb(TransferDirection direction) {
    return direction == TransferDirection::Writing ? "Writing" : "Reading";
}

/// A transfer goes through two stages: the configuration stage (the
/// transfer-state pair and the two trailer blocks), then the data region.
enum class TransferStage { Configuration, Data };

/// How far a transfer has got, as numbers; each front end words it itself.
/// In the configuration stage `done` and `total` count its reports; in the
/// data stage they count bytes of the data region, whose length need not be a
/// whole number of 8-byte reports. A finished transfer is the data stage with
/// `done` equal to `total`.
struct TransferProgress {
    TransferDirection direction = TransferDirection::Writing;
    TransferStage stage = TransferStage::Configuration;
    std::int32_t done = 0;
    std::int32_t total = 0;

    /// Percentage of the configuration stage done: 100 once the data stage
    /// has begun.
    [[nodiscard]] constexpr int configurationPercent() const {
        return stage == TransferStage::Configuration ? percentDone(done, total) : 100;
    }
    /// Percentage of the data region done: 0 until its stage begins.
    [[nodiscard]] constexpr int dataPercent() const {
        return stage == TransferStage::Data ? percentDone(done, total) : 0;
    }

    /// 100 × done ÷ total, rounded half up. A total of 0 or less leaves
    /// nothing to wait for and counts as 100.
    [[nodiscard]] static constexpr int percentDone(std::int32_t done, std::int32_t total) {
        if (total <= 0) {
            return 100;
        }
        // In integers: floor((200 × done + total) ÷ (2 × total)).
        return static_cast<int>((200 * std::int64_t{done} + total) / (2 * std::int64_t{total}));
    }

    friend bool operator==(const TransferProgress&, const TransferProgress&) = default;
};

/// The progress window of a transfer: created by show(), told how far the
/// transfer has got before every step, and gone after remove().
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    /// Shows a fresh window reading "Initializing...".
    virtual void show() = 0;
    /// Shows how far the transfer has got and lets pending user-interface
    /// events run.
    virtual void update(const TransferProgress& progress) = 0;
    /// Removes the window and lets pending user-interface events run.
    virtual void remove() = 0;

protected:
    ProgressWindow() = default;
    ProgressWindow(const ProgressWindow&) = default;
    ProgressWindow& operator=(const ProgressWindow&) = default;
};

} // namespace vantrel
