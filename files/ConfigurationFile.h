#pragma once

#include "DeviceImage.h"

#include <filesystem>
#include <string>

// Configuration files hold exactly the device image, with no header.
namespace vantrel {

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

/// Reads a configuration file into a zero-filled image. A file shorter than
/// the image, even an empty one, is read and its missing tail is zero; a
/// longer one is refused before anything is read. On failure the image is
/// left as it was.
FileResult readConfigurationFile(const std::filesystem::path& path, DeviceImage& image);

/// Writes the image to a file. The bytes go to a temporary file in the same
/// folder, which is flushed to disk and then renamed over the target, so a
/// failure at any point leaves the file that was there untouched. A symbolic
/// link is followed, and an existing file's permissions are kept.
FileResult writeConfigurationFile(const std::filesystem::path& path, const DeviceImage& image);

} // namespace vantrel
