#pragma once

#include "HidAccess.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// An in-process stand-in for the device: 4096 bytes of configuration memory
// served through the same report protocol, with a log of every report and
// injectable faults for tests, and optional persistence so that what one run
// writes the next run reads back.
namespace vantrel {

class EmulatedDevice final : public HidAccess {
public:
    static constexpr std::size_t MemorySize = 4096;
    using Memory = std::array<std::uint8_t, MemorySize>;

    /// A fresh device whose memory is all zero and lives only in this object.
    EmulatedDevice();
    /// A device whose memory is kept in `storage` (raw 4096 bytes). A missing
    /// file is a fresh device; the memory is loaded at every open and saved
    /// at every close.
    explicit EmulatedDevice(std::filesystem::path storage);

    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override;
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output, Report& input) override;
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override;

    /// Waits this long in every exchange, as a real USB link would.
    void setLatency(std::chrono::microseconds latency);

    /// Makes every OpenHidDevice fail, as with no device attached.
    void setUnplugged(bool unplugged);
    /// Makes exchange number `index` (counted from 0 since the last open) fail.
    void failExchange(int index);
    /// Lets `count` exchanges since the last open succeed and fails every one
    /// after them, as a device pulled out mid-transfer.
    void unplugAfter(int count);
    /// Clears every injected fault.
    void clearFaults();

    [[nodiscard]] const Memory& memory() const;
    [[nodiscard]] Memory& memory();

    /// Every report received, in order, failed ones included.
    [[nodiscard]] const std::vector<Report>& reports() const;
    void clearReports();

    [[nodiscard]] int openCount() const;  ///< successful opens
    [[nodiscard]] int closeCount() const; ///< closes of an open handle
    [[nodiscard]] bool isOpen() const;

private:
    std::optional<std::filesystem::path> storage_;
    Memory memory_{};
    std::vector<Report> reports_;
    std::chrono::microseconds latency_{0};
    bool unplugged_ = false;
    std::optional<int> failingExchange_;
    std::optional<int> unplugAfter_;
    int exchangesSinceOpen_ = 0;
    int openCount_ = 0;
    int closeCount_ = 0;
    bool open_ = false;
    DeviceHandle nextHandle_ = 1;
    DeviceHandle currentHandle_ = 0;
};

} // namespace vantrel
