#include "formats/ConfigurationSource.h"

#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "files/RegularFile.h"
#include "formats/ImportError.h"
#include "formats/JsonImport.h"
#include "model/DeviceImage.h"
#include "userinterface/ImageLoadMessage.h"
#include "userinterface/UserInterface.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// The largest configuration, exported with a label on every entry, takes
/// about a quarter of this; a bigger file is not read beyond it.
constexpr std::size_t MaximumJsonSize = std::size_t{1024} * 1024;

bool isJsonBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isValidImage(std::string_view bytes) {
    return bytes.size() <= DeviceImageSize && bytes.size() > ImageAddress::Marker &&
           bytes[ImageAddress::Marker] == 1;
}

std::string named(std::string_view name, const std::string& message) {
    return std::string(name) + ": " + message;
}

LoadedConfiguration loadJson(std::string_view path, std::string_view text) {
    LoadedConfiguration loaded;
    loaded.form = ConfigurationForm::Json;
    try {
        ImportedConfiguration imported = importConfiguration(text);
        loaded.config = std::move(imported.config);
        loaded.settings = imported.settings;
        loaded.labels = std::move(imported.labels);
        for (const ImportWarning& warning : imported.warnings) {
            loaded.remarks.push_back(named(path, warning.place + ": " + warning.message));
        }
    } catch (const ImportError& error) {
        loaded.error = named(path, error.what());
    }
    return loaded;
}

LoadedConfiguration loadImage(std::string_view path, std::string_view bytes) {
    LoadedConfiguration loaded;
    loaded.form = ConfigurationForm::Image;
    DeviceImage image{};
    if (!imageFromFileBytes(bytes, image)) {
        loaded.error = named(path, FileTooLongText);
        return loaded;
    }
    const DeviceImage asRead = image;
    const ImageLoadResult result = loadDeviceImage(image, loaded.config, loaded.settings);
    const ImageLoadMessage message = imageLoadMessage(result, ImageOrigin::File);
    if (message.failed) {
        loaded.error = named(path, message.words());
    } else if (const std::string words = message.words(); !words.empty()) {
        loaded.warning = named(path, words);
    }
    if (result == ImageLoadResult::Complete) {
        loaded.image = asRead;
    }
    return loaded;
}

/// Reads the bytes of a configuration as the form their content shows.
LoadedConfiguration judge(std::string_view name, std::string_view bytes, bool tooLong) {
    if (tooLong) {
        LoadedConfiguration loaded;
        const bool json = looksLikeJson(bytes);
        loaded.form = json ? ConfigurationForm::Json : ConfigurationForm::Image;
        loaded.error = named(name, json ? "too large to be a configuration" : FileTooLongText);
        return loaded;
    }
    return looksLikeJson(bytes) ? loadJson(name, bytes) : loadImage(name, bytes);
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
    // Read once, then judged: the name may stand for something else by the
    // time it is opened a second time.
    std::string bytes;
    const FileResult read = readRegularFile(path, MaximumJsonSize, bytes);
    if (!read.ok() && read.kind != FileError::TooLong) {
        LoadedConfiguration loaded;
        loaded.error = std::string(OpenFailedText) + ": " + read.detail;
        return loaded;
    }
    return judge(utf8Text(path), bytes, read.kind == FileError::TooLong);
}

LoadedConfiguration loadConfiguration(std::istream& in, std::string_view name) {
    constexpr std::size_t ChunkSize = std::size_t{64} * 1024;
    std::string bytes;
    std::array<char, ChunkSize> chunk{};
    while (bytes.size() <= MaximumJsonSize && in.read(chunk.data(), chunk.size()).gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        LoadedConfiguration loaded;
        loaded.error = std::string(OpenFailedText) + ": " + std::string(name) + ": cannot be read";
        return loaded;
    }
    return judge(name, bytes, bytes.size() > MaximumJsonSize);
}

} // namespace vantrel
