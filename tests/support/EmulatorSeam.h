#pragma once

#include "device/EmulatedDevice.h"

#include <functional>
#include <utility>

// The emulator behind a link of the test's own, for what happens between
// two sessions: someone else writing to the device, a disk with room again.
namespace vantrel::testing {

/// Passes every call on to `device`; `beforeClose` runs once, just before
/// the first session closes.
class EmulatorSeam : public HidAccess {
public:
    explicit EmulatorSeam(EmulatedDevice& device, std::function<void()> beforeClose = {})
        : device_(device)
        , beforeClose_(std::move(beforeClose)) {}
    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override {
        return device_.OpenHidDevice(productId, outputLength, inputLength, handle);
    }
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output,
                                Report& input) override {
        return device_.WriteHidDevice(handle, output, input);
    }
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override {
        if (beforeClose_) {
            std::exchange(beforeClose_, nullptr)();
        }
        return device_.CloseHidDevice(handle);
    }
    [[nodiscard]] DeviceProblem lastProblem() const override { return device_.lastProblem(); }

private:
    EmulatedDevice& device_;
    std::function<void()> beforeClose_;
};

} // namespace vantrel::testing
