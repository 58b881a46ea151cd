#include "app/LiveFeed.h"

#include "formats/ConfigurationSource.h"
#include "monitor/MonitorSession.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/evdev/ScriptedEvdev.h"
#include "windows/MonitorWindow/ReplayFeed.h"

#include <gtest/gtest.h>

// The input test's live feed over libevdev's library replaced by a scripted
// event device: what the window's session makes of it is what it makes of
// the recording.
namespace vantrel {
namespace {

const std::filesystem::path Examples = VANTREL_EXAMPLES;

/// The session's lines for everything the feed gives until it has nothing more.
std::vector<std::string> answers(EventFeed& feed) {
    const LoadedConfiguration loaded =
        loadConfiguration(Examples / "two-player-cabinet.json").value();
    MonitorSession session({{"", loaded.config, loaded.labels}});
    std::vector<std::string> lines;
    const auto show = [&](const std::vector<EncoderReport>& reports) {
        for (const EncoderReport& report : reports) {
            lines.push_back(session.text(report, "keyboard"));
        }
    };
    constexpr std::int64_t Later = 1'000'000'000;
    for (EventFeed::Poll poll = feed.poll(Later); !poll.events.empty(); poll = feed.poll(Later)) {
        for (const SourcedEvent& event : poll.events) {
            show(session.feed(event));
        }
    }
    show(session.finish());
    return lines;
}

TEST(LiveFeed, AnswersAScriptedSessionWithAnOverflowAsItsRecordingDoes) {
    const testing::TemporaryFolder folder;
    const std::filesystem::path recording = Examples / "two-player-cabinet.evemu";
    const testing::ScriptedEvdev evdev(folder.path,
                                       {{"1-4", testing::recordedEvents(recording), {}, 4}});
    const OpenedLiveFeed opened = openLiveFeedUnder(evdev.sysfsRoot(), evdev.deviceRoot());
    ASSERT_TRUE(opened.ok()) << opened.detail();
    const std::unique_ptr<EventFeed>& live = opened.value();
    ReplayFeed replay({{"keyboard", testing::recordedEvents(recording)}});
    const std::vector<std::string> recorded = answers(replay);
    EXPECT_GT(recorded.size(), 10U);
    EXPECT_EQ(answers(*live), recorded);
}

} // namespace
} // namespace vantrel
