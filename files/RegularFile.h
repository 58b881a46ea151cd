#pragma once

#include "files/FileResult.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace vantrel {

/// The start of a file, and whether it goes on.
struct FileHead {
    std::string bytes;   ///< the first `limit` bytes, or the whole file
    bool cutOff = false; ///< the file goes on beyond them
};

/// Reads up to `limit` bytes of a regular file. The file is opened without
/// waiting, since a FIFO without a writer would block the open for ever,
/// and what was opened is checked rather than the name: a folder, a FIFO, a
/// device node or a socket is refused with CannotOpen before any byte is
/// read.
[[nodiscard]] Expected<FileHead, FileError> readFileHead(const std::filesystem::path& path,
                                                         std::size_t limit);

/// Reads a regular file whole, as readFileHead does; one longer than
/// `limit` bytes is refused with TooLong.
[[nodiscard]] Expected<std::string, FileError> readRegularFile(const std::filesystem::path& path,
                                                               std::size_t limit);

/// Opens a regular file to be read as a stream, for what is too long to
/// read whole. What the name is gets looked at before it is opened, so
/// that a folder, a FIFO, a device node or a socket is refused with
/// CannotOpen without waiting on a FIFO's writer.
[[nodiscard]] Expected<std::ifstream, FileError> openRegularFile(const std::filesystem::path& path);

} // namespace vantrel
