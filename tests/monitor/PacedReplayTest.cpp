#include "monitor/PacedReplay.h"

#include <gtest/gtest.h>
#include <tuple>

namespace vantrel {
namespace {

InputEvent at(std::int64_t microseconds, std::uint16_t code) {
    return {microseconds, 1, code, 1};
}

// Each recording keeps its own pace, from its first event; the next one
// follows the last event of the one before; a recording's end is told with
// its last events, before anything of the next is handed out.
TEST(PacedReplay, playsEachRecordingAtItsOwnPaceOneAfterTheOther) {
    PacedReplay replay({{"a", {at(5'000'000, 1), at(5'400'000, 2)}},
                        {"empty", {}},
                        {"b", {at(100, 3), at(300'100, 4)}}});
    // Each time since the start, the codes then due, and the recording that ended.
    using Step = std::tuple<std::int64_t, std::vector<std::uint16_t>, std::optional<std::size_t>>;
    const std::vector<Step> steps = {
        {0, {1}, std::nullopt}, {399'999, {}, std::nullopt},  {400'000, {2}, 0},
        {400'000, {}, 1},       {400'000, {3}, std::nullopt}, {699'999, {}, std::nullopt},
        {1'000'000, {4}, 2},
    };
    for (const auto& [elapsed, expectedCodes, ended] : steps) {
        ASSERT_FALSE(replay.finished());
        const PacedReplay::Due due = replay.due(elapsed);
        std::vector<std::uint16_t> codes;
        for (const SourcedEvent& event : due.events) {
            codes.push_back(event.event.code);
            EXPECT_EQ(replay.deviceName(event.device), event.device == 0 ? "a" : "b");
        }
        EXPECT_EQ(codes, expectedCodes) << "at " << elapsed;
        EXPECT_EQ(due.ended, ended) << "at " << elapsed;
    }
    EXPECT_TRUE(replay.finished());
    EXPECT_EQ(replay.nextDue(), std::nullopt);
}

} // namespace
} // namespace vantrel
