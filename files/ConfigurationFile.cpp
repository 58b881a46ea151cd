#include "files/ConfigurationFile.h"

#include "files/AtomicFile.h"
#include "files/RegularFile.h"

#include <algorithm>
#include <string>

namespace vantrel {
namespace fs = std::filesystem;

std::optional<DeviceImage> imageFromFileBytes(std::string_view bytes) {
    if (bytes.size() > DeviceImageSize) {
        return std::nullopt;
    }
    DeviceImage image{};
    std::transform(bytes.begin(), bytes.end(), image.begin(),
                   [](char byte) { return static_cast<std::uint8_t>(byte); });
    return image;
}

Expected<DeviceImage, FileError> readConfigurationFile(const fs::path& path) {
    const Expected<std::string, FileError> read = readRegularFile(path, DeviceImageSize);
    if (!read.ok()) {
        return read.failure();
    }
    // Never longer than the image: readRegularFile refused that.
    return imageFromFileBytes(read.value()).value();
}

FileResult writeConfigurationFile(const fs::path& path, const DeviceImage& image) {
    return writeFileAtomically(path, std::span<const std::uint8_t>(image));
}

} // namespace vantrel
