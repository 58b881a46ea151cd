#include "formats/ConfigurationSource.h"

#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "files/RegularFile.h"
#include "formats/ImportError.h"
#include "formats/JsonImport.h"
#include "model/DeviceImage.h"
#include "model/EchoedText.h"
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

ConfigurationFailure refused(std::string_view name, ConfigurationForm form,
                             ConfigurationError error, std::string detail = {}) {
    ConfigurationFailure failure;
    failure.kind = error;
    failure.detail = std::move(detail);
    failure.form = form;
    failure.source = name;
    return failure;
}

ConfigurationRead loadJson(std::string_view path, std::string_view text) {
    LoadedConfiguration loaded;
    loaded.form = ConfigurationForm::Json;
    loaded.source = path;
    try {
        ImportedConfiguration imported = importConfiguration(text);
        loaded.config = std::move(imported.config);
        loaded.settings = imported.settings;
        loaded.labels = std::move(imported.labels);
        for (const ImportWarning& warning : imported.warnings) {
            loaded.remarks.push_back(std::string(path) + ": " + warning.place + ": " +
                                     warning.message);
        }
    } catch (const ImportError& error) {
        return refused(path, ConfigurationForm::Json, ConfigurationError::Refused, error.what());
    }
    return loaded;
}

ConfigurationRead loadImage(std::string_view path, std::string_view bytes) {
    const std::optional<DeviceImage> asRead = imageFromFileBytes(bytes);
    if (!asRead) {
        return refused(path, ConfigurationForm::Image, ConfigurationError::TooLong);
    }
    LoadedConfiguration loaded;
    loaded.form = ConfigurationForm::Image;
    loaded.source = path;
    DeviceImage image = *asRead;
    loaded.decoding = loadDeviceImage(image, loaded.config, loaded.settings);
    if (imageLoadMessage(loaded.decoding, ImageOrigin::File).failed) {
        ConfigurationFailure failure =
            refused(path, ConfigurationForm::Image, ConfigurationError::NotDecoded);
        failure.decoding = loaded.decoding;
        return failure;
    }
    if (loaded.decoding == ImageLoadResult::Complete) {
        loaded.image = asRead;
    }
    return loaded;
}

/// Reads the bytes of a configuration as the form their content shows.
ConfigurationRead judge(std::string_view name, std::string_view bytes, bool tooLong) {
    if (tooLong) {
        return refused(name,
                       looksLikeJson(bytes) ? ConfigurationForm::Json : ConfigurationForm::Image,
                       ConfigurationError::TooLong);
    }
    return looksLikeJson(bytes) ? loadJson(name, bytes) : loadImage(name, bytes);
}

std::string named(std::string_view source, std::string_view words) {
    return echoedPath(source) + ": " + std::string(words);
}

/// Each line of a refusal that names several faults, named on its own.
std::string namedLines(std::string_view source, std::string_view lines) {
    std::string text;
    for (std::size_t start = 0; start <= lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        text += (start == 0 ? "" : "\n") + named(source, lines.substr(start, end - start));
        start = end + 1;
    }
    return text;
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

ConfigurationRead loadConfiguration(const fs::path& path) {
    // Read once, then judged: the name may stand for something else by the
    // time it is opened a second time.
    const Expected<FileHead, FileError> read = readFileHead(path, MaximumJsonSize);
    if (!read.ok()) {
        return refused(utf8Text(path), ConfigurationForm::Unread, ConfigurationError::CannotOpen,
                       read.detail());
    }
    return judge(utf8Text(path), read.value().bytes, read.value().cutOff);
}

ConfigurationRead loadConfiguration(std::istream& in, std::string_view name) {
    constexpr std::size_t ChunkSize = std::size_t{64} * 1024;
    std::string bytes;
    std::array<char, ChunkSize> chunk{};
    while (bytes.size() <= MaximumJsonSize && in.read(chunk.data(), chunk.size()).gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return refused(name, ConfigurationForm::Unread, ConfigurationError::CannotRead);
    }
    return judge(name, bytes, bytes.size() > MaximumJsonSize);
}

ConfigurationForm formRead(const ConfigurationRead& read) {
    return read.ok() ? read.value().form : read.failure().form;
}

std::string configurationFailureLine(const ConfigurationFailure& failure) {
    switch (failure.kind) {
    case ConfigurationError::CannotOpen:
        return std::string(OpenFailedText) + ": " + failure.detail;
    case ConfigurationError::CannotRead:
        return std::string(OpenFailedText) + ": " + named(failure.source, "cannot be read");
    case ConfigurationError::TooLong:
        return named(failure.source, failure.form == ConfigurationForm::Json
                                         ? "too large to be a configuration"
                                         : FileTooLongText);
    case ConfigurationError::Refused:
        return namedLines(failure.source, failure.detail);
    case ConfigurationError::NotDecoded:
        return named(failure.source, imageLoadMessage(failure.decoding, ImageOrigin::File).words());
    case ConfigurationError::None:
        break;
    }
    return {};
}

std::string configurationWarningLine(const LoadedConfiguration& loaded) {
    const std::string words = imageLoadMessage(loaded.decoding, ImageOrigin::File).words();
    return words.empty() ? words : named(loaded.source, words);
}

} // namespace vantrel
