#include "model/MacroDelay.h"

#include <gtest/gtest.h>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

// What a user types into the delay box and the step it becomes: halves go
// to the even number of tens, and everything is held within 10..2560 ms.
TEST(MacroDelay, TypedTextBecomesTheNearestDelay) {
    constexpr std::pair<std::string_view, int> cases[] = {
        {"10", 0},     {"15", 1},  {"25", 1}, {"35", 3}, {"2560", 255}, {"2600", 255},
        {"9999", 255}, {"5", 0},   {"0", 0},  {"", 0},   {"abc", 0},    {"35ab", 3},
        {"  40", 3},   {"-20", 0}, {"44", 3}, {"46", 4}, {"500", 49},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(delayByteFromText(text), expected) << '"' << text << '"';
    }
}

TEST(MacroDelay, ExactDelaysRoundTrip) {
    for (int byte = 0; byte <= 255; ++byte) {
        const auto value = static_cast<std::uint8_t>(byte);
        ASSERT_EQ(delayByte(delayMs(value)), value);
        ASSERT_EQ(nearestDelayByte(delayMs(value)), value);
    }
}

} // namespace
} // namespace vantrel
