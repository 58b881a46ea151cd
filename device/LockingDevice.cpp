#include "device/LockingDevice.h"

#include "files/PathText.h"

#include <optional>
#include <utility>

namespace vantrel {

LockingDevice::LockingDevice(HidAccess& device, DeviceLockFile lockFile, LockWait wait)
    : device_(device)
    , lockFile_(std::move(lockFile))
    , wait_(std::move(wait)) {}

DeviceStatus LockingDevice::OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                                          std::int32_t inputLength, DeviceHandle& handle) {
    lockProblem_ = {};
    const std::optional<LockFile> file = lockFile_ ? lockFile_() : std::nullopt;
    if (file) {
        lock_ = DeviceLock::take(*file, wait_);
        if (lock_.busy()) {
            return DeviceFailure::Busy;
        }
    }
    const DeviceStatus opened = device_.OpenHidDevice(productId, outputLength, inputLength, handle);
    if (opened != DeviceSuccess) {
        lock_ = DeviceLock();
        return opened;
    }
    if (file && lock_.outcome() == DeviceLock::Outcome::Absent) {
        // Unlocked, another program could write the device at the same time.
        device_.CloseHidDevice(handle);
        lockProblem_ = DeviceProblem::of(DeviceProblemKind::LockFileCannotBeOpened, lock_.problem(),
                                         utf8Text(file->path));
        lock_ = DeviceLock();
        return DeviceFailure::Busy;
    }
    return opened;
}

DeviceProblem LockingDevice::lastProblem() const {
    return lockProblem_.ok() ? device_.lastProblem() : lockProblem_;
}

DeviceStatus LockingDevice::WriteHidDevice(DeviceHandle& handle, const Report& output,
                                           Report& input) {
    return device_.WriteHidDevice(handle, output, input);
}

DeviceStatus LockingDevice::CloseHidDevice(DeviceHandle& handle) {
    const DeviceStatus closed = device_.CloseHidDevice(handle);
    lock_ = DeviceLock();
    return closed;
}

} // namespace vantrel
