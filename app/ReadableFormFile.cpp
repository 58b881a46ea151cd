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

std::optional<ReadableFormRead> readReadableFormFile(const std::filesystem::path& path) {
    // As much as a device image holds is enough to tell the forms apart.
    const Expected<FileHead, FileError> head = readFileHead(path, DeviceImageSize);
    if (!head.ok() || !looksLikeJson(head.value().bytes) || !namesTheFormat(head.value().bytes)) {
        return std::nullopt;
    }
    ConfigurationRead read = loadConfiguration(path);
    if (formRead(read) != ConfigurationForm::Json) {
        return std::nullopt; // replaced since it was looked at
    }
    if (!read.ok()) {
        return Result<ReadableFormError>{ReadableFormError::Mistake,
                                         configurationFailureLine(read.failure())};
    }
    LoadedConfiguration& loaded = read.value();
    return ReadableConfiguration{std::move(loaded.config), loaded.settings,
                                 std::move(loaded.labels)};
}

} // namespace vantrel
