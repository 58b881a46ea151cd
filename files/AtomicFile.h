#pragma once

#include "files/FileResult.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace vantrel {

/// Finds the file a write to `path` replaces: `path` itself, or for a
/// symbolic link the end of its chain of links, which need not exist yet (a
/// dangling link writes the file it points to). Refuses a loop of links and
/// anything that exists but is not a regular file (a folder, a FIFO, a
/// device node, a socket), so that a write never replaces one.
[[nodiscard]] Expected<std::filesystem::path, FileError>
findWriteTarget(const std::filesystem::path& path);

/// Replaces a file's contents without ever leaving it half written: the
/// bytes go to a new file in the same folder, which is flushed to disk and
/// then renamed over the target. A failure at any point leaves the file that
/// was there untouched and removes the new one. The target is the one
/// findWriteTarget names, so a link survives, and an existing file's
/// permissions are kept: the new file is made readable by its owner only
/// and given them before its first byte, so a private file's new contents
/// are never readable by others.
FileResult writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes);

/// The same for text, written as it is.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view text);

/// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file of a write in
/// progress before the process ends as the signal would end it, so that an
/// interrupted save leaves nothing behind but the target, old or new. For a
/// program that does not handle these signals itself; does nothing where
/// they do not exist.
void removeTemporaryFileOnInterrupt();

/// Opens a file by its native name, so that paths outside the local code
/// page work on Windows too. Same modes as std::fopen.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

} // namespace vantrel
