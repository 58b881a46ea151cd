#pragma once

#include <optional>
#include <string>

// The platform's file choosers, behind an interface so that the file
// commands run and are tested without a window.
namespace vantrel {

/// How a file chooser is set up.
struct FileDialogRequest {
    std::string title;         ///< "Save File" or "Open File"
    std::string folder;        ///< the folder it starts in
    std::string initialName;   ///< the name it offers; may be empty or a full path
    std::string filterName;    ///< "All Files (*.*)"
    std::string filterPattern; ///< "*.*"
    bool confirmOverwrite = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> getSaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> getOpenFileName(const FileDialogRequest& request) = 0;

protected:
    FileDialogs() = default;
    FileDialogs(const FileDialogs&) = default;
    FileDialogs& operator=(const FileDialogs&) = default;
};

} // namespace vantrel
