#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace vantrel {

/// Whether writing a file at `output` would replace the file at `input`:
/// the same device and inode, through links and other spellings, when both
/// exist; otherwise whether a write to each would land in the same place,
/// so that a memory file not made yet still counts as itself.
[[nodiscard]] bool sameFile(const std::filesystem::path& output,
                            const std::filesystem::path& input);

/// A file known by what it is rather than by a name: an open descriptor
/// (standard input, output, error) has no name to compare.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

/// The regular file open on `descriptor`. Nothing for a pipe, a terminal, a
/// device node or a socket, which are never the same file as a named one
/// that a command reads or writes, nor for a closed descriptor.
[[nodiscard]] std::optional<FileIdentity> regularFileOn(int descriptor);

/// Whether `path` names the file `identity` is, through links.
[[nodiscard]] bool isFile(const std::filesystem::path& path, const FileIdentity& identity);

} // namespace vantrel
