#include "app/ReadableFormFile.h"

#include "files/RegularFile.h"
#include "formats/ConfigurationSource.h"
#include "formats/JsonFormat.h"
#include "model/DeviceImage.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

/// How far into a file the name of the format may begin, as the desktop's
/// file type looks for it.
constexpr std::size_t FormatNameReach = 256;

bool namesTheFormat(std::string_view firstBytes) {
    const std::string value = '"' + std::string(FormatName) + '"';
    constexpr std::array<std::string_view, 2> Colons = {": ", ":"};
    return std::ranges::any_of(Colons, [&](std::string_view colon) {
        return firstBytes.find("\"format\"" + std::string(colon) + value) <= FormatNameReach;
    });
}

} // namespace

std::optional<ReadableConfiguration> readReadableFormFile(const std::filesystem::path& path) {
    // As much as a device image holds is enough to tell the forms apart.
    std::string firstBytes;
    const FileResult head = readRegularFile(path, DeviceImageSize, firstBytes);
    if ((!head.ok() && head.kind != FileError::TooLong) || !looksLikeJson(firstBytes) ||
        !namesTheFormat(firstBytes)) {
        return std::nullopt;
    }
    LoadedConfiguration loaded = loadConfiguration(path);
    if (loaded.form != ConfigurationForm::Json) {
        return std::nullopt; // replaced since it was looked at
    }
    ReadableConfiguration read;
    if (!loaded.ok()) {
        read.mistake = configurationFailureLine(loaded);
        return read;
    }
    read.config = std::move(loaded.config);
    read.settings = loaded.settings;
    read.labels = std::move(loaded.labels);
    return read;
}

} // namespace vantrel
