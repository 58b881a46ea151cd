#pragma once

#include "files/FileResult.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace vantrel {

/// Reads a regular file whole, up to `limit` bytes. The file is opened
/// without waiting, since a FIFO without a writer would block the open for
/// ever, and what was opened is checked rather than the name: a folder, a
/// FIFO, a device node or a socket is refused with CannotOpen before any
/// byte is read. A file longer than `limit` gives TooLong with its first
/// `limit` bytes in `bytes`; on any other failure `bytes` is empty.
FileResult readRegularFile(const std::filesystem::path& path, std::size_t limit,
                           std::string& bytes);

/// Opens a regular file to be read as a stream, for what is too long to
/// read whole. What the name is gets looked at before it is opened, so
/// that a folder, a FIFO, a device node or a socket is refused with
/// CannotOpen without waiting on a FIFO's writer.
FileResult openRegularFile(const std::filesystem::path& path, std::ifstream& stream);

} // namespace vantrel
