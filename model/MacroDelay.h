#pragma once

#include <cstdint>
#include <string_view>

// Delay steps of a macro: the byte k waits (k + 1) × 10 ms, so one byte
// covers 10..2560 ms in steps of 10 ms.
namespace vantrel {

constexpr int DelayStepMs = 10;
constexpr int MinimumDelayMs = DelayStepMs;
constexpr int MaximumDelayMs = 256 * DelayStepMs;

/// The milliseconds a delay byte waits.
constexpr int delayMs(std::uint8_t delayByte) {
    return (delayByte + 1) * DelayStepMs;
}

/// The delay byte of an exact delay: `ms` must be a multiple of 10 within
/// 10..2560.
constexpr std::uint8_t delayByte(int ms) {
    return static_cast<std::uint8_t>(ms / DelayStepMs - 1);
}

/// The delay byte nearest to `ms`: tenths of the milliseconds rounded, a half
/// to the even neighbour, then limited to 10..2560 ms. Negative counts as 0.
[[nodiscard]] std::uint8_t nearestDelayByte(long long ms);

/// The delay byte for what a user typed: the decimal number at the start of
/// `text` (leading blanks skipped; no number counts as 0), as
/// nearestDelayByte takes it. "15" and "25" both wait 20 ms.
[[nodiscard]] std::uint8_t delayByteFromText(std::string_view text);

} // namespace vantrel
