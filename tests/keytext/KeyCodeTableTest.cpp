#include "keytext/KeyCodeTable.h"

#include "keytext/modKeyText.h"
#include "tests/support/UsageKeyCodes.h"

#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

using testing::keyCodeOfUsage;
using testing::UsageKeyCode;
using testing::usageKeyCodes;

TEST(KeyCodeTable, translatesAsTheKernelDoes) {
    // One from each run of the kernel's table, where an off-by-one would show.
    const std::vector<std::pair<std::uint8_t, std::uint16_t>> cases = {
        {0x04, 30},  {0x1d, 44},  {0x1e, 2},   {0x27, 11}, {0x28, 28}, {0x39, 58},  {0x45, 88},
        {0x4f, 106}, {0x52, 103}, {0x53, 69},  {0x62, 82}, {0x63, 83}, {0x65, 127}, {0x68, 183},
        {0x73, 194}, {0xe0, 29},  {0xe7, 126}, {0x00, 0},  {0x82, 0},  {0xfc, 0}};
    for (const auto& [usage, keyCode] : cases) {
        EXPECT_EQ(keyCodeOfUsage(usage), keyCode) << int{usage};
    }
}

TEST(KeyCodeTable, everyKeyTheEncoderSendsComesBackToItsUsage) {
    for (int usage = 0; usage < 256; ++usage) {
        const auto code = static_cast<std::uint8_t>(usage);
        if (keyName(code) == "Not Used") {
            continue;
        }
        const std::vector<std::uint8_t> usages = usagesOfKeyCode(keyCodeOfUsage(code));
        EXPECT_NE(std::find(usages.begin(), usages.end(), code), usages.end()) << usage;
    }
}

TEST(KeyCodeTable, sharedKeyCodesListEveryUsage) {
    EXPECT_EQ(usagesOfKeyCode(43), (std::vector<std::uint8_t>{0x31, 0x32}));
    EXPECT_EQ(usagesOfKeyCode(111), (std::vector<std::uint8_t>{0x4c, 0x9c, 0xd8}));
    EXPECT_TRUE(usagesOfKeyCode(0x110).empty());
    std::set<std::uint8_t> seen;
    for (const UsageKeyCode& entry : usageKeyCodes()) {
        EXPECT_TRUE(seen.insert(entry.usage).second) << int{entry.usage};
    }
}

} // namespace
} // namespace vantrel
