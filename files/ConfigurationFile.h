#pragma once

#include "files/FileResult.h"
#include "model/DeviceImage.h"

#include <filesystem>
#include <optional>
#include <string_view>

// Configuration files hold exactly the device image, with no header.
namespace vantrel {

/// Reads a configuration file as an image. A file shorter than the image,
/// even an empty one, is read and its missing tail is zero; a longer one is
/// refused, and so is anything that is not a regular file, without waiting
/// on it.
[[nodiscard]] Expected<DeviceImage, FileError>
readConfigurationFile(const std::filesystem::path& path);

/// A file's bytes as an image, by the same rule: nothing when there are
/// more bytes than the image holds.
[[nodiscard]] std::optional<DeviceImage> imageFromFileBytes(std::string_view bytes);

/// Writes the image to a file. The bytes go to a temporary file in the same
/// folder, which is flushed to disk and then renamed over the target, so a
/// failure at any point leaves the file that was there untouched. A symbolic
/// link is followed, and an existing file's permissions are kept.
FileResult writeConfigurationFile(const std::filesystem::path& path, const DeviceImage& image);

} // namespace vantrel
