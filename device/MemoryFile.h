#pragma once

#include "files/FileResult.h"
#include "model/Result.h"

#include <cstdint>
#include <filesystem>
#include <span>

// Raw memory kept in a file of exactly its size, so that an emulated device
// keeps what was written to it from one run to the next.
namespace vantrel {

enum class MemoryFileLoad {
    Loaded,         ///< the file filled the memory
    Missing,        ///< there is no file, but its folder is there; the memory was left alone
    NoFolder,       ///< there is no file, and no folder to make it in
    NotMemory,      ///< a folder, a FIFO, not a regular file, or not the memory's size
    Unreadable,     ///< the file could not be opened or read; nothing read
    CannotBeWritten ///< checkMemoryFileWritable: the file may not be replaced
};

/// How loading or checking a memory file went; `detail` holds the system's
/// words, or for NotMemory what the file is instead.
using MemoryFileResult = Result<MemoryFileLoad>;

/// Fills `memory` from the file at `path`, which must be exactly as long.
MemoryFileResult loadMemoryFile(const std::filesystem::path& path, std::span<std::uint8_t> memory);

/// Whether an existing memory file may be replaced; Loaded when it may, and
/// for anything that is not a regular file (not there yet, or one the open
/// refuses).
MemoryFileResult checkMemoryFileWritable(const std::filesystem::path& path);

/// Replaces the file at `path` with `memory`. The bytes go to a temporary
/// file in the same folder that is then renamed over the target, so a failure
/// leaves the previous file as it was.
FileResult saveMemoryFile(const std::filesystem::path& path, std::span<const std::uint8_t> memory);

} // namespace vantrel
