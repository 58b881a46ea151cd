#pragma once

#include "FileResult.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace vantrel {

/// Replaces a file's contents without ever leaving it half written: the
/// bytes go to a new file in the same folder, which is flushed to disk and
/// then renamed over the target. A failure at any point leaves the file that
/// was there untouched and removes the new one. A symbolic link is followed,
/// so the link survives, and an existing file's permissions are kept.
FileResult writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes);

/// The same for text, written as it is.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view text);

/// Opens a file by its native name, so that paths outside the local code
/// page work on Windows too. Same modes as std::fopen.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

} // namespace vantrel
