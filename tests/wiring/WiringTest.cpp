#include "model/DeviceImage.h"
#include "tests/support/ProbePresses.h"
#include "wiring/WiringProbe.h"
#include "wiring/WiringSession.h"
#include "wiring/WiringTrace.h"

#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace vantrel {
namespace {

using testing::probePresses;

/// Four controls on inputs 1 to 4, labelled, one with a key of its own.
struct Layout {
    Configuration config;
    ConfigurationLabels labels;
};

Layout smallLayout() {
    Layout layout;
    const char* names[] = {"P1 Button 1", "P1 Button 2", "Coin 1", "Start 1"};
    for (int input = 0; input < 4; ++input) {
        layout.labels.inputs.at(static_cast<std::size_t>(input)) = names[input];
        encodeSingleKey(KeyTypeKeyboard, static_cast<std::uint8_t>(0x04 + input), 0,
                        layout.config.input(input));
    }
    layout.labels.intended.push_back(
        {FindingKind::SameAction,
         {{ActionSource::Kind::Input, 2}, {ActionSource::Kind::Input, 3}}});
    return layout;
}

/// Plays each device's presses, one device after the other, into a session;
/// in any order the labels answer the presses as they come.
WiringSession play(const std::vector<std::string>& scripts, WiringSession::Order order,
                   std::deque<std::string> labels = {}) {
    const Layout layout = smallLayout();
    WiringSession session(layout.config, layout.labels, order);
    WiringTrace trace(scripts.size(), {0, 1});
    const auto apply = [&](const std::vector<TracedPress>& presses) {
        for (const TracedPress& press : presses) {
            applyPress(session, press);
            while (session.waiting() && !labels.empty()) {
                session.label(labels.front());
                labels.pop_front();
            }
        }
    };
    for (std::size_t device = 0; device < scripts.size(); ++device) {
        for (const InputEvent& event : probePresses(scripts[device])) {
            apply(trace.feed({device, event}));
        }
        apply(trace.finish());
    }
    return session;
}

/// Each control's input as "e:N" (encoder, input number), "-" unwired.
std::vector<std::string> foundInputs(const WiringSession& session) {
    std::vector<std::string> found;
    for (const WiringControl& control : session.controls()) {
        found.push_back(control.found ? std::to_string(control.found->encoder) + ":" +
                                            std::to_string(control.found->input + 1)
                                      : "-");
    }
    return found;
}

TEST(WiringProbe, EveryInputAndRotaryDirectionIsTracedBackToItself) {
    std::string script;
    for (int n = 1; n <= InputCount; ++n) {
        script += std::to_string(n) + " ";
    }
    script += "r1 r2 r3 r4";
    WiringTrace trace(1, {});
    std::vector<TracedPress> presses;
    for (const InputEvent& event : probePresses(script)) {
        for (const TracedPress& press : trace.feed({0, event})) {
            presses.push_back(press);
        }
    }
    for (const TracedPress& press : trace.finish()) {
        presses.push_back(press);
    }
    ASSERT_EQ(presses.size(), std::size_t{InputCount + RotaryKeyCount});
    for (int n = 0; n < InputCount + RotaryKeyCount; ++n) {
        const ActionSource expected =
            n < InputCount ? ActionSource{ActionSource::Kind::Input, n}
                           : ActionSource{ActionSource::Kind::RotaryKey, n - InputCount};
        EXPECT_EQ(presses.at(static_cast<std::size_t>(n)).source, expected) << "press " << n + 1;
    }
}

TEST(WiringProbe, IsKnownByItsContentAfterTheDeviceKeptIt) {
    DeviceImage image{};
    ASSERT_TRUE(buildDeviceImage(image, wiringProbe(), DeviceSettings{}));
    Configuration read;
    DeviceSettings settings;
    ASSERT_EQ(loadDeviceImage(image, read, settings), ImageLoadResult::Complete);
    EXPECT_TRUE(isWiringProbe(read));

    Configuration changed = wiringProbe();
    changed.rotaryKey(3) = {};
    EXPECT_FALSE(isWiringProbe(changed));
    EXPECT_FALSE(isWiringProbe(Configuration{}));
}

TEST(WiringSession, BindsEachControlToTheInputItsPressCameFrom) {
    const auto asked = WiringSession::Order::AsAsked;
    const auto any = WiringSession::Order::AsPressed;
    struct Case {
        const char* name;
        std::vector<std::string> scripts;
        WiringSession::Order order;
        std::deque<std::string> labels;
        std::vector<std::string> found;
    };
    const std::vector<Case> cases = {
        {"in order", {"5 70 12 100"}, asked, {}, {"0:5", "0:70", "0:12", "0:100"}},
        {"pressed twice", {"5 5 70 12 12 100"}, asked, {}, {"0:5", "0:70", "0:12", "0:100"}},
        {"a rotary switch turned",
         {"5 r1 70 r4 12 100"},
         asked,
         {},
         {"0:5", "0:70", "0:12", "0:100"}},
        {"a skip", {"5 enter 12 100"}, asked, {}, {"0:5", "-", "0:12", "0:100"}},
        {"back over a bound one",
         {"5 70 bs 71 12 100"},
         asked,
         {},
         {"0:5", "0:71", "0:12", "0:100"}},
        {"back over a skip", {"5 enter bs 70 12 100"}, asked, {}, {"0:5", "0:70", "0:12", "0:100"}},
        {"back at the first", {"bs 5 70 12 100"}, asked, {}, {"0:5", "0:70", "0:12", "0:100"}},
        {"two devices", {"5 70", "1 2"}, asked, {}, {"0:5", "0:70", "1:1", "1:2"}},
        {"any order",
         {"100 5 12 70"},
         any,
         {"start 1", "P1 Button 1", " Coin 1 ", "p1 button 2"},
         {"0:5", "0:70", "0:12", "0:100"}},
        {"any order, an unknown label and a taken one",
         {"5 70"},
         any,
         {"P1 Button 1", "Button 9", "P1 Button 1", "P1 Button 2"},
         {"0:5", "0:70", "-", "-"}},
        {"any order, back lets the last go",
         {"5 70 bs 71"},
         any,
         {"P1 Button 1", "P1 Button 2", "P1 Button 2"},
         {"0:5", "0:71", "-", "-"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(foundInputs(play(c.scripts, c.order, c.labels)), c.found) << c.name;
    }
}

TEST(WiringSession, AsksAgainForAnInputBoundAlreadyAndEndsAfterTheLast) {
    const Layout layout = smallLayout();
    WiringSession session(layout.config, layout.labels, WiringSession::Order::AsAsked);
    const ActionSource five{ActionSource::Kind::Input, 4};
    EXPECT_EQ(session.press(0, five).step, WiringStep::Bound);
    const WiringAnswer again = session.press(0, five);
    EXPECT_EQ(again.step, WiringStep::AlreadyBound);
    EXPECT_EQ(again.control, 0U);
    EXPECT_EQ(session.asked(), 1U);
    EXPECT_EQ(session.press(1, five).step, WiringStep::Bound); // another encoder's input 5
    EXPECT_EQ(session.skip().step, WiringStep::Skipped);
    EXPECT_EQ(session.skip().step, WiringStep::Skipped);
    EXPECT_TRUE(session.finished());
    EXPECT_EQ(session.press(0, {ActionSource::Kind::Input, 9}).step, WiringStep::Ignored);
}

TEST(WiringSession, WiredLayoutHasTheControlsOnTheirInputsAndNothingElse) {
    const Layout layout = smallLayout();
    const WiringSession session = play({"5 enter 12", "7"}, WiringSession::Order::AsAsked);
    const std::vector<WiredEncoder> wired = session.wired(layout.config, layout.labels, 2);
    ASSERT_EQ(wired.size(), 2U);
    for (int input = 0; input < InputCount; ++input) {
        // Encoder 0's inputs 5 and 12 hold the layout's inputs 1 and 3,
        // encoder 1's input 7 its input 4.
        const std::map<std::pair<std::size_t, int>, int> moved = {
            {{0, 4}, 0}, {{0, 11}, 2}, {{1, 6}, 3}};
        const auto expected = [&](std::size_t e) -> std::optional<int> {
            const auto found = moved.find({e, input});
            return found == moved.end() ? std::nullopt : std::optional(found->second);
        };
        for (std::size_t e = 0; e < 2; ++e) {
            const auto from = expected(e);
            EXPECT_EQ(wired[e].config.input(input),
                      from ? layout.config.input(*from) : InputMacro{})
                << "encoder " << e << " input " << input + 1;
            EXPECT_EQ(wired[e].labels.input(input), from ? layout.labels.input(*from) : "");
        }
    }
    // Coin and Start shared a key on purpose, but now sit on two encoders.
    EXPECT_TRUE(wired[0].labels.intended.empty());
    const WiringSession together = play({"5 70 12 13"}, WiringSession::Order::AsAsked);
    const auto kept = together.wired(layout.config, layout.labels, 1).front().labels.intended;
    ASSERT_EQ(kept.size(), 1U);
    EXPECT_EQ(kept.front().sources, (std::vector<ActionSource>{{ActionSource::Kind::Input, 11},
                                                               {ActionSource::Kind::Input, 12}}));
}

} // namespace
} // namespace vantrel
