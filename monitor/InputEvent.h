#pragma once

#include <cstdint>

namespace vantrel {

/// One event as the kernel's evdev interface delivers it.
struct InputEvent {
    std::int64_t microseconds = 0; ///< time stamp; only differences matter
    std::uint16_t type = 0;
    std::uint16_t code = 0;
    std::int32_t value = 0;

    friend bool operator==(const InputEvent&, const InputEvent&) = default;
};

} // namespace vantrel
