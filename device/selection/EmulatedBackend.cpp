#include "device/selection/EmulatedBackend.h"

#include "device/MemoryFile.h"
#include "device/selection/DeviceSelection.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// Why the memory file keeps the emulator from opening, as the list of
/// devices says it.
std::string memoryFileWords(const DeviceProblem& problem) {
    switch (problem.kind) {
    case DeviceProblemKind::MemoryFileCannotBeCreated:
        return "its memory file cannot be created: " + problem.detail;
    case DeviceProblemKind::MemoryFileCannotBeRead:
        return "its memory file cannot be read: " + problem.detail;
    default:
        return "its memory file is " + problem.detail;
    }
}

} // namespace

EmulatedBackend::EmulatedBackend(fs::path storage)
    : storage_(storage)
    , device_(std::move(storage)) {}

std::vector<AttachedDevice> EmulatedBackend::attachedDevices() {
    AttachedDevice device{
        std::string(EmulatedPrefix) + utf8Text(storage_) + "  device emulator", true, {}};
    if (const DeviceProblem problem = openProblem(); !problem.ok()) {
        device.problem = memoryFileWords(problem);
    }
    device.canOpen = device.problem.empty();
    if (const DeviceProblem readOnly = writeProblem(); device.canOpen && !readOnly.ok()) {
        device.description +=
            "  (can be read, but not written: its memory file cannot be written: " +
            readOnly.detail + ")";
    }
    return {device};
}

DeviceProblem EmulatedBackend::writeProblem() const {
    const MemoryFileResult writable = checkMemoryFileWritable(storage_);
    if (writable.ok()) {
        return {};
    }
    return {{DeviceProblemKind::MemoryFileCannotBeWritten, writable.detail}, utf8Text(storage_)};
}

std::optional<LockFile> EmulatedBackend::lockFile() const {
    return emulatorLockFile(storage_);
}

DeviceProblem EmulatedBackend::openProblem() const {
    return EmulatedDevice::storageProblem(storage_);
}

} // namespace vantrel
