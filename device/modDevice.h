#pragma once

#include "device/HidAccess.h"
#include "model/DeviceImage.h"

#include <cstdint>

// The three reports that read and write the device's configuration memory,
// one byte per slot, up to eight slots per report. Each makes exactly one
// exchange with fresh zero-filled buffers and passes its result back as is.
namespace vantrel {

/// Report ID of every report sent.
constexpr std::uint8_t TransferReportId = 3;
/// The bytes one report reads or writes: a block of eight.
constexpr std::size_t BlockSize = 8;
/// Slot opcodes.
constexpr std::uint8_t SlotWrite = 0x81;
constexpr std::uint8_t SlotRead = 0x82;

/// The two characters written at ImageAddress::TransferState to mark where a
/// transfer stands; a transfer that stops early leaves its start pair there.
struct TransferStatePair {
    std::uint8_t first;
    std::uint8_t second;
};
constexpr TransferStatePair WriteStartPair{'W', 'R'};
constexpr TransferStatePair ReadStartPair{'R', 'E'};
constexpr TransferStatePair EndPair{'Z', 'Q'};

// The eight-byte operations refuse a block that would not lie inside the
// image with DeviceFailure::Refused, without any exchange: no caller of ours
// passes such an address; this keeps a mistake from reading or writing past
// the image.

/// Writes image[address .. address + 7] to the same device addresses.
DeviceStatus WriteEightBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                             const DeviceImage& image);

/// Reads device addresses address .. address + 7 into the same image bytes;
/// on failure the image is left as it was.
DeviceStatus ReadEightBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                            DeviceImage& image);

/// Writes `first` to `address` and `second` to address + 1.
DeviceStatus WriteTwoBytes(HidAccess& hid, DeviceHandle& handle, std::uint16_t address,
                           std::uint8_t first, std::uint8_t second);

} // namespace vantrel
