#pragma once

#include "files/FileDialogs.h"
#include "userinterface/UserInterface.h"
#include "windows/platform/QtFileDialogs.h"
#include "windows/platform/QtMessagePrompter.h"

#include <optional>
#include <string>
#include <utility>

// Message boxes and file choosers must be owned by the main window, yet the
// main window is given them when it is built. These hand the calls on to
// the Qt ones once the owner exists; before that (the start-up messages come
// before the window is shown) the boxes have no owner.
namespace vantrel {

class WindowOwnedPrompter final : public MessagePrompter {
public:
    void setOwner(QWidget* owner) { prompter_.emplace(owner); }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        if (!prompter_) {
            prompter_.emplace(nullptr);
        }
        return prompter_->showMessage(text, title, icon, buttons);
    }

private:
    std::optional<QtMessagePrompter> prompter_;
};

class WindowOwnedFileDialogs final : public FileDialogs {
public:
    void setOwner(QWidget* owner) { dialogs_.emplace(owner); }

    /// The next open chooser answers `path` without being shown: a file
    /// named on the command line is opened as File > Open would open it.
    void answerNextOpen(std::string path) { nextOpen_ = std::move(path); }

    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override {
        return dialogs().getSaveFileName(request);
    }
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override {
        if (nextOpen_) {
            return std::exchange(nextOpen_, std::nullopt);
        }
        return dialogs().getOpenFileName(request);
    }

private:
    QtFileDialogs& dialogs() {
        if (!dialogs_) {
            dialogs_.emplace(nullptr);
        }
        return *dialogs_;
    }

    std::optional<QtFileDialogs> dialogs_;
    std::optional<std::string> nextOpen_;
};

} // namespace vantrel
