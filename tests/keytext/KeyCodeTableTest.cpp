#include "keytext/KeyCodeTable.h"

#include "keytext/modKeyText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

constexpr std::uint16_t LastLinuxKeyCode = 0x2ff;

/// The lowest Linux key code the kernel translates a usage to; 0 for none.
std::uint16_t keyCodeOfUsage(std::uint8_t usage) {
    for (std::uint16_t code = 1; code <= LastLinuxKeyCode; ++code) {
        if (std::ranges::count(usagesOfKeyCode(code), usage) > 0) {
            return code;
        }
    }
    return 0;
}

TEST(KeyCodeTable, translatesAsTheKernelDoes) {
    // One from each run of the kernel's table, where an off-by-one would show.
    const std::vector<std::pair<std::uint8_t, std::uint16_t>> cases = {
        {0x04, 30},  {0x1d, 44},  {0x1e, 2},   {0x27, 11}, {0x28, 28}, {0x39, 58},  {0x45, 88},
        {0x4f, 106}, {0x52, 103}, {0x53, 69},  {0x62, 82}, {0x63, 83}, {0x65, 127}, {0x68, 183},
        {0x73, 194}, {0xe0, 29},  {0xe7, 126}, {0x00, 0},  {0x82, 0},  {0xfc, 0}};
    for (const auto& [usage, keyCode] : cases) {
        EXPECT_EQ(keyCodeOfUsage(usage), keyCode) << int{usage};
    }
    // Every key the encoder sends comes from some key code.
    for (int usage = 1; usage < 256; ++usage) {
        const auto code = static_cast<std::uint8_t>(usage);
        EXPECT_TRUE(keyName(code) == "Not Used" || keyCodeOfUsage(code) != 0) << usage;
    }
}

TEST(KeyCodeTable, sharedKeyCodesListEveryUsageAndNoUsageComesFromTwo) {
    EXPECT_EQ(usagesOfKeyCode(43), (std::vector<std::uint8_t>{0x31, 0x32}));
    EXPECT_EQ(usagesOfKeyCode(111), (std::vector<std::uint8_t>{0x4c, 0x9c, 0xd8}));
    EXPECT_TRUE(usagesOfKeyCode(0x110).empty());
    std::set<std::uint8_t> seen;
    for (std::uint16_t code = 1; code <= LastLinuxKeyCode; ++code) {
        for (const std::uint8_t usage : usagesOfKeyCode(code)) {
            EXPECT_TRUE(seen.insert(usage).second) << int{usage};
        }
    }
}

} // namespace
} // namespace vantrel
