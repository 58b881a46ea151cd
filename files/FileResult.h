#pragma once

#include <string>

namespace vantrel {

/// Why a file operation failed.
enum class FileError {
    None,
    TooLong,     ///< more bytes than a device image; nothing was read
    CannotOpen,  ///< missing, not a regular file, or not readable
    CannotRead,  ///< an I/O error while reading
    CannotWrite, ///< the file could not be created, written or put in place
};

struct FileResult {
    FileError error = FileError::None;
    std::string detail; ///< what the system said, for logs and the command line

    [[nodiscard]] bool ok() const { return error == FileError::None; }
};

} // namespace vantrel
