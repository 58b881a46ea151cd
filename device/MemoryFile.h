#pragma once

#include "files/FileResult.h"

#include <cstdint>
#include <filesystem>
#include <span>

// Raw memory kept in a file of exactly its size, so that an emulated device
// keeps what was written to it from one run to the next.
namespace vantrel {

enum class MemoryFileLoad {
    Loaded,     ///< the file filled the memory
    Missing,    ///< there is no file; the memory was left alone
    WrongSize,  ///< the file is not exactly as long as the memory; nothing read
    Unreadable, ///< the file could not be opened or read; nothing read
};

/// Fills `memory` from the file at `path`, which must be exactly as long.
MemoryFileLoad loadMemoryFile(const std::filesystem::path& path, std::span<std::uint8_t> memory);

/// Replaces the file at `path` with `memory`. The bytes go to a temporary
/// file in the same folder that is then renamed over the target, so a failure
/// leaves the previous file as it was.
FileResult saveMemoryFile(const std::filesystem::path& path, std::span<const std::uint8_t> memory);

} // namespace vantrel
