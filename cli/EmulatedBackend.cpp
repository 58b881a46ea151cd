#include "EmulatedBackend.h"

#include "CommandLine.h"

namespace vantrel::cli {
namespace fs = std::filesystem;

EmulatedBackend::EmulatedBackend(fs::path storage)
    : storage_(storage)
    , device_(std::move(storage)) {}

std::vector<AttachedDevice> EmulatedBackend::attachedDevices() {
    AttachedDevice device{
        std::string(EmulatedPrefix) + storage_.string() + "  device emulator", true, {}};
    // Looked at rather than opened: opening would create the memory file.
    std::error_code error;
    if (fs::exists(storage_, error) &&
        fs::file_size(storage_, error) != EmulatedDevice::MemorySize) {
        device.canOpen = false;
        device.problem =
            "its memory file is not " + std::to_string(EmulatedDevice::MemorySize) + " bytes long";
    }
    return {device};
}

} // namespace vantrel::cli
