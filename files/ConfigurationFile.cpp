#include "files/ConfigurationFile.h"

#include "files/AtomicFile.h"
#include "files/RegularFile.h"

#include <algorithm>
#include <string>

namespace vantrel {
namespace fs = std::filesystem;

bool imageFromFileBytes(std::string_view bytes, DeviceImage& image) {
    if (bytes.size() > DeviceImageSize) {
        return false;
    }
    image.fill(0);
    std::transform(bytes.begin(), bytes.end(), image.begin(),
                   [](char byte) { return static_cast<std::uint8_t>(byte); });
    return true;
}

FileResult readConfigurationFile(const fs::path& path, DeviceImage& image) {
    std::string bytes;
    FileResult read = readRegularFile(path, DeviceImageSize, bytes);
    if (read.ok() && !imageFromFileBytes(bytes, image)) {
        read.kind = FileError::TooLong;
    }
    return read;
}

FileResult writeConfigurationFile(const fs::path& path, const DeviceImage& image) {
    return writeFileAtomically(path, std::span<const std::uint8_t>(image));
}

} // namespace vantrel
