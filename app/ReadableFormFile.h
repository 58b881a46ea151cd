#pragma once

#include "files/ReadableForm.h"

#include <filesystem>
#include <optional>

namespace vantrel {

/// Reads the file at `path` as the readable form when its content shows it
/// is one: it begins as a JSON object and names its format
/// ("format": "vantrel-configuration") near its start, where the desktop's
/// file type finds it too. Nothing for any other file, which Open then reads
/// as a device image.
[[nodiscard]] std::optional<ReadableFormRead>
readReadableFormFile(const std::filesystem::path& path);

} // namespace vantrel
