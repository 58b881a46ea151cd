#include "ConfigurationFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// Closes a stdio file when it goes out of scope.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

FileResult failure(FileError error, const std::string& what, int errorNumber) {
    return {error, what + ": " + std::strerror(errorNumber)};
}

} // namespace

FileResult readConfigurationFile(const fs::path& path, DeviceImage& image) {
    std::error_code statusError;
    if (fs::is_directory(path, statusError)) {
        return {FileError::CannotOpen, path.string() + ": is a folder"};
    }
    const FilePointer file(openFile(path, "rb"));
    if (!file) {
        return failure(FileError::CannotOpen, path.string(), errno);
    }

    // One byte more than an image tells a file that is too long without
    // trusting a size taken before the read.
    std::array<std::uint8_t, DeviceImageSize + 1> buffer{};
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (std::ferror(file.get())) {
        return failure(FileError::CannotRead, path.string(), errno);
    }
    if (count > DeviceImageSize) {
        return {FileError::TooLong,
                path.string() + ": longer than " + std::to_string(DeviceImageSize) + " bytes"};
    }
    std::copy_n(buffer.begin(), DeviceImageSize, image.begin());
    return {};
}

FileResult writeConfigurationFile(const fs::path& path, const DeviceImage& image) {
    return writeFileAtomically(path, std::span<const std::uint8_t>(image));
}

} // namespace vantrel
