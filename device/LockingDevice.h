#pragma once

#include "device/DeviceLock.h"
#include "device/HidAccess.h"

// A device reached only under its lock: each open takes it first and each
// close lets it go, so that every transfer, whichever front end runs it,
// passes the same door.
namespace vantrel {

/// Wraps the device a transfer talks to. OpenHidDevice takes the lock
/// (waiting as `wait` says) before it opens the device, and answers Busy
/// without opening it when another program kept it; CloseHidDevice closes
/// the device, then releases the lock. A program that already holds the
/// lock (a command over a write and its verify) shares it at once. A lock
/// file that cannot be opened refuses the device as Busy, with the lock
/// file and why as the problem, once the device itself opens: a device
/// that does not open says so first.
class LockingDevice final : public HidAccess {
public:
    LockingDevice(HidAccess& device, DeviceLockFile lockFile, LockWait wait);

    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override;
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output, Report& input) override;
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override;
    [[nodiscard]] DeviceProblem lastProblem() const override;

private:
    HidAccess& device_;
    DeviceLockFile lockFile_;
    LockWait wait_;
    DeviceLock lock_;
    DeviceProblem lockProblem_;
};

} // namespace vantrel
