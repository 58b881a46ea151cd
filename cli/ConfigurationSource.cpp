#include "ConfigurationSource.h"

#include "ConfigurationFile.h"
#include "DeviceImage.h"
#include "ImportError.h"
#include "JsonImport.h"
#include "UserInterface.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

namespace vantrel::cli {
namespace fs = std::filesystem;
namespace {

/// No configuration document comes near this; a bigger file is not read
/// into memory at all.
constexpr std::uintmax_t MaximumJsonSize = std::uintmax_t{16} * 1024 * 1024;

bool isJsonBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isValidImage(std::string_view bytes) {
    return bytes.size() <= DeviceImageSize && bytes.size() > ImageAddress::Marker &&
           bytes[ImageAddress::Marker] == 1;
}

/// The file's first bytes, enough to tell the two forms apart; empty when
/// the file cannot be read, which the image reader then reports.
std::string readStart(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(DeviceImageSize + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

std::string named(const fs::path& path, const std::string& message) {
    return path.string() + ": " + message;
}

LoadedConfiguration loadJson(const fs::path& path) {
    LoadedConfiguration loaded;
    loaded.format = SourceFormat::Json;
    std::error_code sizeError;
    if (fs::file_size(path, sizeError) > MaximumJsonSize) {
        loaded.error = named(path, "too large to be a configuration");
        return loaded;
    }
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        loaded.error = std::string(OpenFailedText) + " " + path.string();
        return loaded;
    }
    try {
        ImportedConfiguration imported = importConfiguration(text);
        loaded.config = std::move(imported.config);
        loaded.settings = imported.settings;
        loaded.labels = std::move(imported.labels);
    } catch (const ImportError& error) {
        loaded.error = named(path, error.what());
    }
    return loaded;
}

std::string fileErrorText(const FileResult& result) {
    if (result.error == FileError::TooLong) {
        return FileTooLongText;
    }
    return std::string(OpenFailedText) + ": " + result.detail;
}

LoadedConfiguration loadImage(const fs::path& path) {
    LoadedConfiguration loaded;
    DeviceImage image{};
    const FileResult read = readConfigurationFile(path, image);
    if (!read.ok()) {
        loaded.error = read.error == FileError::TooLong ? named(path, fileErrorText(read))
                                                        : fileErrorText(read);
        return loaded;
    }
    switch (loadDeviceImage(image, loaded.config, loaded.settings)) {
    case ImageLoadResult::InvalidImage:
        loaded.error = named(path, InvalidConfigurationText);
        break;
    case ImageLoadResult::SettingsFailed:
        loaded.error =
            named(path, std::string(OpenFailedText) + " (a rotary switch setting names no "
                                                      "entry of its list)");
        break;
    case ImageLoadResult::StoppedEarly:
        loaded.warning = named(path, "the input table holds more inputs or steps than the "
                                     "device has; it was read up to there and the device "
                                     "settings were left at their start-up values");
        break;
    case ImageLoadResult::Complete:
        break;
    }
    return loaded;
}

} // namespace

bool looksLikeJson(std::string_view bytes) {
    // Editors on Windows like to start a UTF-8 text with a byte-order mark.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view text =
        bytes.starts_with(ByteOrderMark) ? bytes.substr(ByteOrderMark.size()) : bytes;
    const auto first = static_cast<std::size_t>(
        std::find_if_not(text.begin(), text.end(), isJsonBlank) - text.begin());
    return first < text.size() && text[first] == '{' && !isValidImage(bytes);
}

LoadedConfiguration loadConfiguration(const fs::path& path) {
    std::error_code ignored;
    if (!fs::is_directory(path, ignored) && looksLikeJson(readStart(path))) {
        return loadJson(path);
    }
    return loadImage(path);
}

} // namespace vantrel::cli
