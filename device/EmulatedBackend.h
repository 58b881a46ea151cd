#pragma once

#include "device/DeviceBackend.h"
#include "device/EmulatedDevice.h"

#include <filesystem>

namespace vantrel {

/// The device emulator standing in for the device, its memory kept in a
/// file so that what one run writes the next run reads.
class EmulatedBackend final : public DeviceBackend {
public:
    explicit EmulatedBackend(std::filesystem::path storage);

    HidAccess& link() override { return device_; }
    std::vector<AttachedDevice> attachedDevices() override;
    std::string failureDetail() override;
    [[nodiscard]] std::optional<LockFile> lockFile() const override;
    [[nodiscard]] std::string openProblem() const override;

private:
    /// What is wrong with the memory file ("is a folder") that makes the
    /// emulator refuse to open; empty when it would open.
    [[nodiscard]] std::string memoryFileFault() const;
    /// Why what is written would not be kept; empty when it would.
    [[nodiscard]] std::string writeProblem() const;

    std::filesystem::path storage_;
    EmulatedDevice device_;
};

} // namespace vantrel
