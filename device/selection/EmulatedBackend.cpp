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
    return {{DeviceProblemKind::MemoryFileCannotBeWritten, writable.detail}, utf8Text(storage_)};
}

std::optional<LockFile> EmulatedBackend::lockFile() const {
    return emulatorLockFile(storage_);
}

DeviceProblem EmulatedBackend::openProblem() const {
    return EmulatedDevice::storageProblem(storage_);
}

} // namespace vantrel
