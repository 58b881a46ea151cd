#pragma once

#include <cstdint>
#include <vector>

// The kernel's translation of keyboard usage IDs (HID usage page 0x07) into
// Linux key codes, kept as data: the monitor traces a key code back to the
// usage the encoder sent when no MSC_SCAN event names it, and the Linux key
// names a person copies from evtest are read through it.
namespace vantrel {

/// Every usage that the kernel turns into `keyCode`, in usage order: more than
/// one where usages share a key (the backslash key and the non-US hash key
/// are both KEY_BACKSLASH); empty when none does.
[[nodiscard]] std::vector<std::uint8_t> usagesOfKeyCode(std::uint16_t keyCode);

} // namespace vantrel
