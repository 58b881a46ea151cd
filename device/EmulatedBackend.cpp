#include "device/EmulatedBackend.h"

#include "device/DeviceSelection.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"

namespace vantrel {
namespace fs = std::filesystem;

EmulatedBackend::EmulatedBackend(fs::path storage)
    : storage_(storage)
    , device_(std::move(storage)) {}

std::vector<AttachedDevice> EmulatedBackend::attachedDevices() {
    AttachedDevice device{
        std::string(EmulatedPrefix) + utf8Text(storage_) + "  device emulator", true, {}};
    if (const std::string fault = memoryFileFault(); !fault.empty()) {
        device.problem = "its memory file " + fault;
    }
    device.canOpen = device.problem.empty();
    if (const std::string readOnly = writeProblem(); device.canOpen && !readOnly.empty()) {
        device.description += "  (can be read, but not written: " + readOnly + ")";
    }
    return {device};
}

std::string EmulatedBackend::failureDetail() {
    if (device_.keepProblem().empty()) {
        return {};
    }
    return "the device emulator could not keep what was written in its memory file: " +
           device_.keepProblem();
}

std::optional<LockFile> EmulatedBackend::lockFile() const {
    return emulatorLockFile(storage_);
}

std::string EmulatedBackend::openProblem() const {
    const std::string fault = memoryFileFault();
    return fault.empty() ? fault
                         : "the emulated device's memory file " + utf8Text(storage_) + " " + fault;
}

std::string EmulatedBackend::memoryFileFault() const {
    // Looked at rather than opened: opening would load and later save it,
    // and opening a FIFO would wait for a writer.
    std::error_code error;
    const fs::file_status status = fs::status(storage_, error);
    if (fs::is_directory(status)) {
        return "is a folder";
    }
    if (fs::is_fifo(status)) {
        return "is a FIFO";
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return "is not a regular file";
    }
    if (fs::exists(status) && fs::file_size(storage_, error) != EmulatedDevice::MemorySize) {
        return "is not " + std::to_string(EmulatedDevice::MemorySize) + " bytes long";
    }
    return {};
}

std::string EmulatedBackend::writeProblem() const {
    if (const FileResult writable = checkWritable(storage_); !writable.ok()) {
        return "its memory file cannot be written (" + writable.detail + ")";
    }
    return {};
}

} // namespace vantrel
