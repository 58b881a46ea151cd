#pragma once

#include <filesystem>

namespace vantrel {

/// Whether writing a file at `output` would replace the file at `input`:
/// the same device and inode, through links and other spellings, when both
/// exist; otherwise whether a write to each would land in the same place,
/// so that a memory file not made yet still counts as itself.
[[nodiscard]] bool sameFile(const std::filesystem::path& output,
                            const std::filesystem::path& input);

} // namespace vantrel
