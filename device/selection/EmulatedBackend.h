#pragma once

#include "device/EmulatedDevice.h"
#include "device/selection/DeviceBackend.h"

#include <filesystem>

namespace vantrel {

/// The device emulator standing in for the device, its memory kept in a
/// file so that what one run writes the next run reads.
class EmulatedBackend final : public DeviceBackend {
public:
    explicit EmulatedBackend(std::filesystem::path storage);

    HidAccess& link() override { return device_; }
    std::vector<AttachedDevice> attachedDevices() override;
    [[nodiscard]] DeviceProblem writeProblem() const override;
    [[nodiscard]] DeviceProblem readProblem() const override;
    [[nodiscard]] std::optional<LockFile> lockFile() const override;
    [[nodiscard]] DeviceProblem openProblem() const override;

private:
    std::filesystem::path storage_;
    EmulatedDevice device_;
};

} // namespace vantrel
