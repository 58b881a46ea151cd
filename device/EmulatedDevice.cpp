#include "device/EmulatedDevice.h"

#include "device/MemoryFile.h"
#include "device/modDevice.h"
#include "files/PathText.h"

#include <limits>
#include <thread>
#include <utility>

namespace vantrel {
namespace {

constexpr std::size_t SlotCount = 8;
constexpr std::size_t HighestAddress = EmulatedDevice::MemorySize - 1;

struct Slot {
    std::uint8_t opcode;
    std::size_t address;
    std::uint8_t data;
};

Slot slotOf(const Report& report, std::size_t k) {
    const std::size_t at = 1 + 4 * k;
    return {report[at], std::size_t{report[at + 1]} * 256 + report[at + 2], report[at + 3]};
}

bool isValidSlot(const Slot& slot) {
    if (slot.opcode == 0) {
        return true;
    }
    return (slot.opcode == SlotWrite || slot.opcode == SlotRead) && slot.address <= HighestAddress;
}

bool isValidReport(const Report& report) {
    if (report[0] != TransferReportId) {
        return false;
    }
    for (std::size_t k = 0; k < SlotCount; ++k) {
        if (!isValidSlot(slotOf(report, k))) {
            return false;
        }
    }
    return true;
}

/// The report the transfers end with: the end pair into the transfer state.
bool writesEndPair(const Report& report) {
    const Slot first = slotOf(report, 0);
    const Slot second = slotOf(report, 1);
    return first.opcode == SlotWrite && first.address == ImageAddress::TransferState &&
           first.data == EndPair.first && second.opcode == SlotWrite &&
           second.address == ImageAddress::TransferState + 1 && second.data == EndPair.second;
}

} // namespace

EmulatedDevice::EmulatedDevice() = default;

EmulatedDevice::EmulatedDevice(std::filesystem::path storage)
    : storage_(std::move(storage)) {}

DeviceStatus EmulatedDevice::OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                                           std::int32_t inputLength, DeviceHandle& handle) {
    if (open_ || productId != DeviceProductId || outputLength != ReportLength ||
        inputLength != ReportLength) {
        return DeviceFailure::Refused;
    }
    problem_ = {};
    if (unplugged_ || (storage_ && !loadStorage())) {
        return DeviceFailure::NotFound;
    }
    open_ = true;
    ++openCount_;
    exchangesSinceOpen_ = 0;
    currentHandle_ = nextHandle_;
    // A fresh handle per open makes a handle kept from an earlier open useless.
    nextHandle_ = nextHandle_ == std::numeric_limits<DeviceHandle>::max() ? 1 : nextHandle_ + 1;
    handle = currentHandle_;
    return DeviceSuccess;
}

DeviceStatus EmulatedDevice::WriteHidDevice(DeviceHandle& handle, const Report& output,
                                            Report& input) {
    if (!open_ || handle != currentHandle_) {
        return DeviceFailure::Gone;
    }
    reports_.push_back(output);
    problem_ = {};
    const int index = exchangesSinceOpen_++;
    if (latency_.count() > 0) {
        std::this_thread::sleep_for(latency_);
    }
    if (const std::optional<DeviceStatus> fault = injectedFault(index)) {
        return *fault;
    }
    return applyReport(output, input);
}

DeviceStatus EmulatedDevice::CloseHidDevice(DeviceHandle& handle) {
    if (!open_ || handle != currentHandle_) {
        return DeviceFailure::Gone;
    }
    open_ = false;
    ++closeCount_;
    problem_ = {};
    return keepStorage() ? DeviceSuccess : DeviceFailure::NotKept;
}

void EmulatedDevice::setLatency(std::chrono::microseconds latency) {
    latency_ = latency;
}

void EmulatedDevice::setUnplugged(bool unplugged) {
    unplugged_ = unplugged;
}

void EmulatedDevice::failExchange(int index, DeviceStatus status) {
    failingExchange_ = index;
    failingStatus_ = status;
}

void EmulatedDevice::unplugAfter(int count) {
    unplugAfter_ = count;
}

void EmulatedDevice::clearFaults() {
    unplugged_ = false;
    failingExchange_.reset();
    failingStatus_ = DeviceFailure::Gone;
    unplugAfter_.reset();
}

const EmulatedDevice::Memory& EmulatedDevice::memory() const {
    return memory_;
}

EmulatedDevice::Memory& EmulatedDevice::memory() {
    return memory_;
}

const std::vector<Report>& EmulatedDevice::reports() const {
    return reports_;
}

void EmulatedDevice::clearReports() {
    reports_.clear();
}

int EmulatedDevice::openCount() const {
    return openCount_;
}

int EmulatedDevice::closeCount() const {
    return closeCount_;
}

bool EmulatedDevice::isOpen() const {
    return open_;
}

namespace {

/// The device's view of a memory file that cannot be loaded; empty for one
/// that loaded, or that is missing where it can be made.
DeviceProblem problemOf(const MemoryFileResult& load, const std::filesystem::path& storage) {
    const auto problem = [&](DeviceProblemKind kind) {
        return DeviceProblem::of(kind, load.detail, utf8Text(storage));
    };
    switch (load.kind) {
    case MemoryFileLoad::Loaded:
    case MemoryFileLoad::Missing:
        break;
    case MemoryFileLoad::NoFolder:
        return problem(DeviceProblemKind::MemoryFileCannotBeCreated);
    case MemoryFileLoad::NotMemory:
        return problem(DeviceProblemKind::MemoryFileUnusable);
    case MemoryFileLoad::Unreadable:
    case MemoryFileLoad::CannotBeWritten:
        return problem(DeviceProblemKind::MemoryFileCannotBeRead);
    }
    return {};
}

} // namespace

DeviceProblem EmulatedDevice::storageProblem(const std::filesystem::path& storage) {
    Memory scratch{};
    return problemOf(loadMemoryFile(storage, scratch), storage);
}

bool EmulatedDevice::loadStorage() {
    Memory loaded{};
    const MemoryFileResult load = loadMemoryFile(*storage_, loaded);
    problem_ = problemOf(load, *storage_);
    if (!problem_.ok()) {
        return false;
    }
    storageExisted_ = load.kind == MemoryFileLoad::Loaded;
    memory_ = loaded;
    loaded_ = loaded;
    return true;
}

DeviceProblem EmulatedDevice::lastProblem() const {
    return problem_;
}

bool EmulatedDevice::keepStorage() {
    if (!storageNeedsSaving()) {
        return true;
    }
    const FileResult saved = saveMemoryFile(*storage_, memory_);
    if (!saved.ok()) {
        // Member by member: GCC 12 at -O3 takes the nested braces' temporary
        // for uninitialised.
        problem_.kind = DeviceProblemKind::MemoryNotKept;
        problem_.detail = saved.detail;
        problem_.where = utf8Text(*storage_);
        return false;
    }
    loaded_ = memory_;
    storageExisted_ = true;
    return true;
}

bool EmulatedDevice::storageNeedsSaving() const {
    if (!storage_ || memory_ == loaded_) {
        return false;
    }
    if (storageExisted_) {
        return true;
    }
    Memory withoutPair = memory_;
    withoutPair[ImageAddress::TransferState] = loaded_[ImageAddress::TransferState];
    withoutPair[ImageAddress::TransferState + 1] = loaded_[ImageAddress::TransferState + 1];
    return withoutPair != loaded_;
}

std::optional<DeviceStatus> EmulatedDevice::injectedFault(int index) {
    if (unplugAfter_ && index >= *unplugAfter_) {
        unplugged_ = true;
    }
    if (unplugged_) {
        return DeviceFailure::Gone;
    }
    if (failingExchange_ == index) {
        return failingStatus_;
    }
    return std::nullopt;
}

DeviceStatus EmulatedDevice::applyReport(const Report& output, Report& input) {
    if (!isValidReport(output)) {
        return DeviceFailure::Refused;
    }
    Report answer = output;
    for (std::size_t k = 0; k < SlotCount; ++k) {
        const Slot slot = slotOf(output, k);
        if (slot.opcode == SlotWrite) {
            memory_[slot.address] = slot.data;
        } else if (slot.opcode == SlotRead) {
            answer[4 + 4 * k] = memory_[slot.address];
        }
    }
    if (writesEndPair(output) && !keepStorage()) {
        return DeviceFailure::NotKept;
    }
    input = answer;
    return DeviceSuccess;
}

} // namespace vantrel
