#pragma once

#include "files/FileDialogs.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel::testing {

/// File dialogs that record every request and give the queued answers in
/// order (a path, or nothing for Cancel); a dialog with no answer queued
/// fails the test.
class ScriptedFileDialogs : public FileDialogs {
public:
    void choose(std::string path) { answers_.emplace_back(std::move(path)); }
    void cancel() { answers_.emplace_back(std::nullopt); }

    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override {
        return answer(request);
    }
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override {
        return answer(request);
    }

    [[nodiscard]] const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::optional<std::string> answer(const FileDialogRequest& request) {
        requests_.push_back(request);
        if (answers_.empty()) {
            throw std::logic_error("a file dialog ran with no answer scripted");
        }
        std::optional<std::string> next = std::move(answers_.front());
        answers_.pop_front();
        return next;
    }

    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};

} // namespace vantrel::testing
