// Reads files of any length and content through the files layer: a file no
// longer than the image is read with its tail zero, a longer one is refused
// and leaves the image as it was.
#include "files/ConfigurationFile.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                              ("vantrel-fuzz-" + std::to_string(getpid()) + ".cfg");
    return path;
}

void writeScratch(const std::uint8_t* data, std::size_t size) {
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    writeScratch(data, size);

    const Expected<DeviceImage, FileError> result = readConfigurationFile(scratchFile());

    if (size > DeviceImageSize) {
        FUZZ_CHECK(result.kind() == FileError::TooLong);
        return 0;
    }
    FUZZ_CHECK(result.ok());
    const DeviceImage& image = result.value();
    FUZZ_CHECK(std::equal(data, data + size, image.begin()));
    FUZZ_CHECK(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(size), image.end(),
                           [](auto b) { return b == 0; }));
    return 0;
}
