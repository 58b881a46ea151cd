#include "model/MacroDelay.h"

#include <algorithm>

namespace vantrel {

std::uint8_t nearestDelayByte(long long ms) {
    if (ms < 0) {
        ms = 0;
    }
    long long tens = ms / DelayStepMs;
    const long long rest = ms % DelayStepMs;
    if (rest > DelayStepMs / 2 || (rest == DelayStepMs / 2 && tens % 2 != 0)) {
        ++tens;
    }
    return static_cast<std::uint8_t>(std::clamp(tens - 1, 0LL, 255LL));
}

std::uint8_t delayByteFromText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    // Far beyond the longest delay, so saturating here changes nothing.
    constexpr long long Saturated = 1'000'000;
    long long ms = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        ms = std::min(Saturated, ms * 10 + (text[i] - '0'));
    }
    return nearestDelayByte(ms);
}

} // namespace vantrel
