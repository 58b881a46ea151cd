#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File names travel as UTF-8 text: through the dialogs, the messages and the
// command line. Converting explicitly keeps every name intact on Windows,
// where a path made from a plain string reads it in the local code page and
// a path's plain string may not hold every character.
namespace vantrel {

[[nodiscard]] std::string utf8Text(const std::filesystem::path& path);

[[nodiscard]] std::filesystem::path pathFromUtf8(std::string_view text);

} // namespace vantrel
