#include "device/selection/EmulatedBackend.h"

#include "device/MemoryFile.h"
#include "device/selection/DeviceSelection.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"

namespace vantrel {
namespace fs = std::filesystem;
EmulatedBackend::EmulatedBackend(fs::path storage)
    : storage_(storage)
    , device_(std::move(storage)) {}

std::vector<AttachedDevice> EmulatedBackend::attachedDevices() {
    AttachedDevice device;
    device.description = std::string(EmulatedPrefix) + utf8Text(storage_) + "  device emulator";
    device.node = utf8Text(storage_);
    device.problem = openProblem();
    if (!device.problem.ok()) {
        device.openStatus = DeviceFailure::NotFound;
    } else {
        device.writeProblem = writeProblem();
    }
    return {device};
}

DeviceProblem EmulatedBackend::writeProblem() const {
    const MemoryFileResult writable = checkMemoryFileWritable(storage_);
    if (writable.ok()) {
        return {};
    }
    return DeviceProblem::of(DeviceProblemKind::MemoryFileCannotBeWritten, writable.detail,
                             utf8Text(storage_));
}

DeviceProblem EmulatedBackend::readProblem() const {
    // A missing file is a fresh device to a write, which creates it; a read
    // would only leave a lock file behind for a device that is not there.
    std::error_code error;
    if (fs::exists(storage_, error) || error) {
        return {};
    }
    return DeviceProblem::of(DeviceProblemKind::MemoryFileMissing, {}, utf8Text(storage_));
}

std::optional<LockFile> EmulatedBackend::lockFile() const {
    return emulatorLockFile(storage_);
}

DeviceProblem EmulatedBackend::openProblem() const {
    return EmulatedDevice::storageProblem(storage_);
}

} // namespace vantrel
