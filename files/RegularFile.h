#pragma once

#include "files/FileResult.h"

#include <cstddef>
#include <filesystem>
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

} // namespace vantrel
