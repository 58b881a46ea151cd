#include "monitor/evdev/EvdevSource.h"

#include "tests/support/TemporaryFolder.h"
#include "tests/support/evdev/ScriptedEvdev.h"

#include <array>
#include <gtest/gtest.h>
#include <linux/input.h>

namespace vantrel {
namespace {

// libevdev's library is replaced by scripted event devices
// (tests/support/evdev), read through FIFOs the source polls itself.
TEST(EvdevSource, aNodeThatCannotBeReadIsNamedWithItsReason) {
    testing::TemporaryFolder folder;
    testing::writeFile(folder / "event3", "not a device");
    const std::vector<std::pair<std::filesystem::path, EvdevError>> cases = {
        {folder / "event9", EvdevError::Unplugged},
        {folder / "event3", EvdevError::NotEvdev},
        {"/dev/null", EvdevError::NotEvdev}};
    for (const auto& [node, kind] : cases) {
        EXPECT_EQ(EvdevSource::open({"/dev/null", node}, true).kind(), EvdevError::NotEvdev)
            << "the first node fails first";
        const EvdevFailure failure = EvdevSource::open({node}, false).failure();
        EXPECT_EQ(failure.kind, kind) << node;
        EXPECT_EQ(failure.node, node);
        EXPECT_FALSE(failure.detail.empty());
    }
}

TEST(EvdevSource, aDeviceAnotherProgramHoldsIsNamedWhenTaken) {
    const testing::TemporaryFolder folder;
    testing::ScriptedEventDevice held{"1-5"};
    held.grabbedElsewhere = true;
    const testing::ScriptedEvdev evdev(folder.path, {{"1-4"}, held});
    const EvdevFailure failure = EvdevSource::open({evdev.node(0), evdev.node(1)}, true).failure();
    EXPECT_EQ(failure.kind, EvdevError::HeldElsewhere);
    EXPECT_EQ(failure.node, evdev.node(1));
    const auto opened = EvdevSource::open({evdev.node(0), evdev.node(1)}, false);
    ASSERT_TRUE(opened.ok());
    const auto& source = opened.value();
    EXPECT_EQ(source->setGrabbed(true).kind, EvdevError::HeldElsewhere);
}

TEST(EvdevSource, readsFramesInTurnResynchronisesAfterAnOverflowAndTellsAnUnplug) {
    using Frame = std::vector<InputEvent>;
    const auto frame = [](std::int64_t time, std::uint16_t type, std::uint16_t code,
                          std::int32_t value) {
        return Frame{{time, type, code, value}, {time, EV_SYN, SYN_REPORT, 0}};
    };
    const auto joined = [](const std::vector<Frame>& frames) {
        Frame events;
        for (const Frame& f : frames) {
            events.insert(events.end(), f.begin(), f.end());
        }
        return events;
    };
    // Each device's frames; the third of the keys is lost to an overflow.
    const std::array<std::vector<Frame>, 2> frames = {{
        {frame(10, EV_KEY, KEY_A, 1), frame(20, EV_KEY, KEY_A, 0), frame(30, EV_KEY, KEY_B, 1),
         frame(40, EV_KEY, KEY_B, 0)},
        {frame(11, EV_ABS, ABS_X, 5), frame(21, EV_ABS, ABS_X, 9), frame(31, EV_ABS, ABS_X, 2),
         frame(41, EV_ABS, ABS_X, 0)},
    }};
    const testing::TemporaryFolder folder;
    const testing::ScriptedEvdev evdev(
        folder.path, {{"1-4", joined(frames[0]), {}, 2}, {"1-5", joined(frames[1]), {ABS_X}}},
        testing::SessionEnd::Unplug);
    const auto opened = EvdevSource::open({evdev.node(0), evdev.node(1)}, true);
    ASSERT_TRUE(opened.ok()) << opened.detail();
    const auto& source = opened.value();
    EXPECT_EQ(source->absoluteAxes(1), std::vector<std::uint16_t>{ABS_X});

    std::vector<std::pair<std::size_t, InputEvent>> read;
    SourcedEvent event;
    while (source->next(event) == EventSource::Status::Event) {
        read.emplace_back(event.device, event.event);
    }
    // In turn; the lost frame comes back through the resynchronisation.
    std::vector<std::pair<std::size_t, InputEvent>> expected;
    for (std::size_t f = 0; f < frames[0].size(); ++f) {
        if (f == 2) {
            expected.emplace_back(0, InputEvent{30, EV_SYN, SYN_DROPPED, 0});
        }
        for (std::size_t device = 0; device < frames.size(); ++device) {
            for (const InputEvent& e : frames.at(device)[f]) {
                expected.emplace_back(device, e);
            }
        }
    }
    EXPECT_EQ(read, expected);
    EXPECT_EQ(source->failure().kind, EvdevError::Unplugged);
    EXPECT_EQ(source->failure().node, evdev.node(0));
}

} // namespace
} // namespace vantrel
