#include "device/modDevice.h"

namespace vantrel {
namespace {

/// Byte offsets of slot k inside a report.
constexpr std::size_t opcodeAt(std::size_t slot) {
    return 1 + 4 * slot;
}
constexpr std::size_t dataAt(std::size_t slot) {
    return 4 + 4 * slot;
}

/// A fresh report carrying only its report ID.
Report emptyReport() {
    Report report{};
    report[0] = TransferReportId;
    return report;
}

void setSlot(Report& report, std::size_t slot, std::uint8_t opcode, std::size_t address,
             std::uint8_t data) {
    report[opcodeAt(slot)] = opcode;
    report[opcodeAt(slot) + 1] = static_cast<std::uint8_t>(address / 256);
    report[opcodeAt(slot) + 2] = static_cast<std::uint8_t>(address % 256);
    report[dataAt(slot)] = data;
}

/// An eight-byte block must lie inside the image; every caller passes a
/// multiple of 8 no greater than 0xFF0, so this guards against misuse only.
bool blockFits(std::uint16_t address) {
    return std::size_t{address} + BlockSize <= DeviceImageSize;
}

} // namespace

DeviceStatus WriteEightBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                             const DeviceImage& image) {
    if (!blockFits(address)) {
        return DeviceFailure::Refused;
    }
    Report output = emptyReport();
    Report input{};
    for (std::size_t k = 0; k < BlockSize; ++k) {
        setSlot(output, k, SlotWrite, address + k, image[address + k]);
    }
    return hid.WriteHidDevice(handle, output, input);
}

DeviceStatus ReadEightBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                            DeviceImage& image) {
    if (!blockFits(address)) {
        return DeviceFailure::Refused;
    }
    Report output = emptyReport();
    Report input{};
    for (std::size_t k = 0; k < BlockSize; ++k) {
        setSlot(output, k, SlotRead, address + k, 0);
    }
    const DeviceStatus status = hid.WriteHidDevice(handle, output, input);
    if (status == DeviceSuccess) {
        for (std::size_t k = 0; k < BlockSize; ++k) {
            image[address + k] = input[dataAt(k)];
        }
    }
    return status;
}

DeviceStatus WriteTwoBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                           std::uint8_t first, std::uint8_t second) {
    Report output = emptyReport();
    Report input{};
    setSlot(output, 0, SlotWrite, address, first);
    setSlot(output, 1, SlotWrite, std::size_t{address} + 1, second);
    return hid.WriteHidDevice(handle, output, input);
}

} // namespace vantrel
