#pragma once

#include "FileDialogs.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel::testing {

/// File dialogs that record every request and give the queued answers in
/// order; a dialog that runs without an answer queued fails the test.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Call {
        bool save = false;
        FileDialogRequest request;
    };

    /// The user picks `path` in the next dialog.
    void choose(std::string path) { answers_.emplace_back(std::move(path)); }
    /// The user cancels the next dialog.
    void cancel() { answers_.emplace_back(std::nullopt); }

    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override {
        return answer(true, request);
    }
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override {
        return answer(false, request);
    }

    [[nodiscard]] const std::vector<Call>& calls() const { return calls_; }
    [[nodiscard]] bool allAnswersUsed() const { return answers_.empty(); }

private:
    std::optional<std::string> answer(bool save, const FileDialogRequest& request) {
        calls_.push_back({save, request});
        if (answers_.empty()) {
            throw std::logic_error("a file dialog ran with no answer scripted");
        }
        std::optional<std::string> next = answers_.front();
        answers_.pop_front();
        return next;
    }

    std::deque<std::optional<std::string>> answers_;
    std::vector<Call> calls_;
};

} // namespace vantrel::testing
