#pragma once

#include "model/Result.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace vantrel {

/// Why a file operation failed.
enum class FileError {
    None,
    TooLong,     ///< more bytes than the reader takes
    CannotOpen,  ///< missing, not a regular file, or not readable
    CannotRead,  ///< an I/O error while reading
    CannotWrite, ///< the file could not be created, written or put in place
};

/// A file operation's result; its detail is "<path>: <what the system says>".
using FileResult = Result<FileError>;

/// A failure told as "<path>: <what the system says of the error>".
[[nodiscard]] FileResult systemFailure(FileError error, const std::filesystem::path& path,
                                       int errorNumber);
[[nodiscard]] FileResult systemFailure(FileError error, const std::filesystem::path& path,
                                       const std::error_code& code);

/// A refusal of something that is not a regular file: "<path>: is a folder"
/// or "<path>: is not a regular file".
[[nodiscard]] FileResult notRegularFile(FileError error, const std::filesystem::path& path,
                                        bool folder);

} // namespace vantrel
