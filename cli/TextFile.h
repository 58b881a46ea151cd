#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::cli {

/// Writes text to a file the way configuration files are written: into a
/// new file beside the target, flushed, then renamed over it, so that a
/// failure leaves what was there untouched. Returns an empty text on
/// success, otherwise what went wrong.
[[nodiscard]] std::string writeTextFileAtomically(const std::filesystem::path& path,
                                                  std::string_view text);

} // namespace vantrel::cli
