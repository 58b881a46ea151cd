#pragma once

#include "device/HidAccess.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// An in-process stand-in for the device: 4096 bytes of configuration memory
// served through the same report protocol, with a log of every report and
// injectable faults for tests, and optional persistence so that what one run
// writes the next run reads back.
namespace vantrel {

/// Behaves as the device does for the reports of the transfer procedures.
/// Every report is checked before any of it is applied: byte 0 must be
/// report ID 3, and each slot must be empty (opcode 0, rest ignored), a write
/// (0x81) or a read (0x82) of an address from 0x000 to 0xFFF. A report that
/// breaks this fails as a whole and changes nothing. Otherwise the eight
/// slots are applied in order: a write stores its data byte, a read puts the
/// byte at its address into byte 4 + 4k of the answer. The answer repeats
/// the report (report ID 3, the slots' opcodes and addresses) with the read
/// bytes filled in; a failed exchange leaves the caller's answer buffer alone.
///
/// One handle can be open at a time; a second open fails until it is closed.
class EmulatedDevice final : public HidAccess {
public:
    static constexpr std::size_t MemorySize = 4096;
    using Memory = std::array<std::uint8_t, MemorySize>;

    /// A fresh device whose memory is all zero and lives only in this object.
    EmulatedDevice();
    /// A device whose memory is kept in `storage` (raw 4096 bytes). The
    /// memory is loaded at every open (a missing file gives a fresh, zero
    /// memory; a file of any other size or one that cannot be read makes the
    /// open fail and is left alone) and saved atomically when a transfer's
    /// end pair arrives and at a close, each time only when it changed. A
    /// missing file is made only for a change beyond the transfer state
    /// pair, so a session that merely read leaves no file behind. Saving at
    /// the end pair is where a device would report that it could not keep a
    /// write; saving at the close keeps a transfer that was cut off as it
    /// was left.
    explicit EmulatedDevice(std::filesystem::path storage);

    /// Refused unless the arguments are 264, 33, 33 and the device is not
    /// already open; NotFound unless it is plugged in and its storage (if
    /// any) could be loaded or, missing, made in its folder (lastProblem
    /// tells which). Storage that cannot be saved still opens, so that it can
    /// be read; a write to it fails at its end pair.
    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override;
    /// Exchanges one report as described above: Gone with a handle that is
    /// not the open one, Refused for a report it does not know, NotKept for
    /// an end pair whose memory could not be saved (the memory keeps the
    /// report's bytes, the file what it held). A report sent with the open
    /// handle is logged even when the exchange then fails.
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output, Report& input) override;
    /// Releases the open handle and saves the storage. The device is closed
    /// even when the save fails; the result is then NotKept.
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override;

    /// Waits this long in every exchange, as a real USB link would; about
    /// 1 ms mimics a full-speed device. Zero (the default) does not wait.
    void setLatency(std::chrono::microseconds latency);

    /// Makes every OpenHidDevice fail, as with no device attached.
    void setUnplugged(bool unplugged);
    /// Makes exchange number `index` (counted from 0 since the last open)
    /// fail with `status`, after every open until the faults are cleared.
    void failExchange(int index, DeviceStatus status = DeviceFailure::Gone);
    /// Lets `count` exchanges since the last open succeed and fails every one
    /// after them, as a device pulled out mid-transfer: from the first such
    /// failure on the device counts as unplugged, so later opens fail too.
    void unplugAfter(int count);
    /// Clears every injected fault, unplugging included.
    void clearFaults();

    /// The configuration memory. With storage, the next open replaces it
    /// with the file's contents.
    [[nodiscard]] const Memory& memory() const;
    [[nodiscard]] Memory& memory();

    /// Every report received with the open handle, in order, failed ones
    /// included.
    [[nodiscard]] const std::vector<Report>& reports() const;
    void clearReports();

    [[nodiscard]] int openCount() const;  ///< successful opens
    [[nodiscard]] int closeCount() const; ///< closes of an open handle
    [[nodiscard]] bool isOpen() const;
    /// Why a device whose memory is kept in `storage` would not open, found
    /// by looking at the file (a FIFO is never opened); empty when it would.
    [[nodiscard]] static DeviceProblem storageProblem(const std::filesystem::path& storage);

    /// Why the last open or exchange failed, when it concerns the memory
    /// file: it could not be made, read or kept; empty after a success.
    [[nodiscard]] DeviceProblem lastProblem() const override;

private:
    [[nodiscard]] bool loadStorage();
    [[nodiscard]] bool storageNeedsSaving() const;
    [[nodiscard]] bool keepStorage();
    [[nodiscard]] std::optional<DeviceStatus> injectedFault(int index);
    DeviceStatus applyReport(const Report& output, Report& input);

    std::optional<std::filesystem::path> storage_;
    Memory memory_{};
    Memory loaded_{};             ///< the memory as the last open found it
    bool storageExisted_ = false; ///< the file was there at the last open or save
    DeviceProblem problem_;
    std::vector<Report> reports_;
    std::chrono::microseconds latency_{0};
    bool unplugged_ = false;
    std::optional<int> failingExchange_;
    DeviceStatus failingStatus_ = DeviceFailure::Gone;
    std::optional<int> unplugAfter_;
    int exchangesSinceOpen_ = 0;
    int openCount_ = 0;
    int closeCount_ = 0;
    bool open_ = false;
    DeviceHandle nextHandle_ = 1;
    DeviceHandle currentHandle_ = 0;
};

} // namespace vantrel
