#pragma once

#include "keytext/KeyCodeTable.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The kernel's usage to key code table read the other way round, as a test
// replays what a keyboard sends; the program itself only goes from key code
// to usage.
namespace vantrel::testing {

struct UsageKeyCode {
    std::uint8_t usage = 0;
    std::uint16_t keyCode = 0;
};

/// Every usage the kernel translates, in usage order, found through
/// usagesOfKeyCode over every Linux key code.
inline std::vector<UsageKeyCode> usageKeyCodes() {
    constexpr std::uint16_t LastLinuxKeyCode = 0x2ff;
    std::vector<UsageKeyCode> table;
    for (std::uint16_t code = 1; code <= LastLinuxKeyCode; ++code) {
        for (const std::uint8_t usage : usagesOfKeyCode(code)) {
            table.push_back({usage, code});
        }
    }
    std::ranges::stable_sort(table, {}, &UsageKeyCode::usage);
    return table;
}

/// The Linux key code of a usage; 0 when the kernel does not translate it.
inline std::uint16_t keyCodeOfUsage(std::uint8_t usage) {
    static const std::vector<UsageKeyCode> table = usageKeyCodes();
    const auto found = std::ranges::find(table, usage, &UsageKeyCode::usage);
    return found == table.end() ? 0 : found->keyCode;
}

} // namespace vantrel::testing
