#include "monitor/MonitorSession.h"

#include "tests/monitor/Frames.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using testing::frames;

constexpr std::uint16_t CodeLeftCtrl = 0x1d;
constexpr std::uint8_t UsageA = 4;
constexpr std::uint8_t UsageP = 19;

void single(MonitoredEncoder& panel, int input, std::uint8_t key, std::uint8_t keyOperator = 0,
            const std::string& label = {}) {
    encodeSingleKey(KeyTypeKeyboard, key, keyOperator, panel.config.input(input - 1));
    panel.labels.inputs.at(static_cast<std::size_t>(input - 1)) = label;
}

// Player 1's buttons as MAME's default layout has them, and two chords.
MonitoredEncoder buttons(const std::string& name = "usb:1-4.1") {
    MonitoredEncoder panel{name, {}, {}};
    single(panel, 5, KeyLeftCtrl, 0, "P1 Button 1");
    single(panel, 6, KeyLeftAlt, 0, "P1 Button 2");
    single(panel, 8, KeyLeftShift, 0, "P1 Button 4");
    single(panel, 17, UsageA);
    single(panel, 20, UsageP, OperatorCtrl, "Pause");
    single(panel, 21, KeyLeftAlt, OperatorShift);
    return panel;
}

struct PanelCase {
    std::string name;
    /// One recording per device (see Frames.h); device d belongs to
    /// encoder encoderOf[d] (all to one when empty).
    std::vector<std::string> recordings;
    std::vector<std::string> text;
    std::size_t jsonLine = 0; ///< one line in JSON, pinned for each shape of line once
    std::string json{};
    std::vector<std::size_t> encoderOf{};
    bool summary = false;
};

void PrintTo(const PanelCase& panelCase, std::ostream* out) {
    *out << panelCase.name;
}

std::vector<SourcedEvent> merged(const std::vector<std::string>& recordings) {
    std::vector<SourcedEvent> events;
    for (std::size_t device = 0; device < recordings.size(); ++device) {
        for (const InputEvent& event : frames(recordings[device])) {
            events.push_back({device, event});
        }
    }
    std::ranges::stable_sort(events, {},
                             [](const SourcedEvent& event) { return event.event.microseconds; });
    return events;
}

std::vector<std::string> replay(const PanelCase& panelCase, bool json) {
    std::vector<MonitoredEncoder> encoders = {buttons("usb:1-4.1")};
    if (std::ranges::count(panelCase.encoderOf, 1) > 0) {
        encoders.push_back(buttons("usb:1-4.2"));
    }
    MonitorSession session(encoders, panelCase.encoderOf);
    std::vector<std::string> lines;
    const auto print = [&](const std::vector<EncoderReport>& reports) {
        for (const EncoderReport& report : reports) {
            const std::string device = "event" + std::to_string(report.report.device);
            lines.push_back(json ? session.json(report, device) : session.text(report, device));
        }
    };
    for (const SourcedEvent& event : merged(panelCase.recordings)) {
        print(session.feed(event));
    }
    print(session.finish());
    if (panelCase.summary) {
        std::ranges::copy(json ? session.summaryJson() : session.summaryText(),
                          std::back_inserter(lines));
    }
    return lines;
}

class PanelMonitor : public ::testing::TestWithParam<PanelCase> {};

TEST_P(PanelMonitor, namesEveryButtonInTextAndJson) {
    EXPECT_EQ(replay(GetParam(), false), GetParam().text);
    const std::vector<std::string> json = replay(GetParam(), true);
    ASSERT_EQ(json.size(), GetParam().text.size());
    if (!GetParam().json.empty()) {
        EXPECT_EQ(json.at(GetParam().jsonLine), GetParam().json);
    }
}

const std::string Ctrl = "Input 5 (P1 Button 1): Left Ctrl";
const std::string Alt = "Input 6 (P1 Button 2): Left Alt";
const std::string Shift = "Input 8 (P1 Button 4): Left Shift";
const std::string Pause = "Input 20 (Pause): Ctrl+P";
const std::string NotSeenButShift =
    "Input 5 (P1 Button 1), Input 6 (P1 Button 2), Input 17, Input 20 (Pause), Input 21";
const std::string NotSeenButA =
    "Input 5 (P1 Button 1), Input 6 (P1 Button 2), Input 8 (P1 Button 4), Input 20 (Pause), "
    "Input 21";
const std::string NotSeenButAAndChord =
    "Input 5 (P1 Button 1), Input 6 (P1 Button 2), Input 8 (P1 Button 4), Input 20 (Pause)";

INSTANTIATE_TEST_SUITE_P(
    buttons, PanelMonitor,
    ::testing::Values(
        PanelCase{"two modifier buttons one after the other",
                  {"1.0 Shift+; 1.1 Alt+; 1.3 Alt-; 1.4 Shift-"},
                  {Shift, Alt, Alt + " released", Shift + " released"},
                  1,
                  R"({"event":"press","time":1.100000,"device":"event0","action":"Left Alt",)"
                  R"("controls":[{"input":6,"label":"P1 Button 2"}]})"},
        PanelCase{"a modifier held while a key comes later than a chord would",
                  {"1.0 Ctrl+; 1.5 A+; 1.6 A-; 2.0 Ctrl-"},
                  {Ctrl, "Input 17: A", "Input 17: A released", Ctrl + " released"}},
        PanelCase{
            "a chord in one frame", {"1.0 Ctrl+ P+; 1.1 P- Ctrl-"}, {Pause, Pause + " released"}},
        PanelCase{
            "a chord within the window, and one just outside it",
            {"1.0 Ctrl+; 1.01 P+; 1.1 P-; 1.1 Ctrl-; 2.0 Ctrl+; 2.010001 P+; 2.1 P- Ctrl-"},
            {Pause, Pause + " released", Ctrl, "not in the configuration: P", Ctrl + " released"},
            3,
            R"({"event":"press","time":2.010001,"device":"event0","action":"P",)"
            R"("controls":[]})"},
        PanelCase{"two modifiers in one frame: a chord only when an input sends it",
                  {"1.0 Ctrl+ Alt+; 1.2 Ctrl- Alt-; 2.0 Shift+ Alt+; 2.2 Alt- Shift-"},
                  {Ctrl, Alt, Ctrl + " released", Alt + " released", "Input 21: Shift+Left Alt",
                   "Input 21: Shift+Left Alt released"}},
        PanelCase{"a modifier held alone", {"1.0 Ctrl+"}, {Ctrl}},
        PanelCase{"a key with a modifier no operator bit names is two presses",
                  {"1.0 Win+ A+; 1.1 A- Win-"},
                  {"not in the configuration: Left Win", "Input 17: A", "Input 17: A released"}},
        PanelCase{"X and Y in the same frames, five times in 40 ms, then a second later",
                  {"1.00 X-3 Y+7; 1.01 X-3 Y+7; 1.02 X-3 Y+7; 1.03 X-3 Y+7; 1.04 Y+7 X-3; "
                   "2.5 Wheel+1 Y+1"},
                  {"motion on event0: X -15, Y +35", "motion on event0: Y +1, Wheel +1"},
                  0,
                  R"({"event":"motion","time":1.000000,"device":"event0","axes":[)"
                  R"({"axis":"X","change":-15},{"axis":"Y","change":35}]})"},
        PanelCase{"two encoders, each device named by its own",
                  {"1.0 Shift+; 1.2 Shift-", "1.1 A+; 1.3 A-"},
                  {"usb:1-4.1: " + Shift, "usb:1-4.2: Input 17: A",
                   "usb:1-4.1: " + Shift + " released", "usb:1-4.2: Input 17: A released",
                   "usb:1-4.1: Seen 1 of 6 used inputs; not seen: " + NotSeenButShift,
                   "usb:1-4.2: Seen 1 of 6 used inputs; not seen: " + NotSeenButA},
                  1,
                  R"({"event":"press","time":1.100000,"encoder":"usb:1-4.2","device":"event1",)"
                  R"("action":"A","controls":[{"input":17}]})",
                  {0, 1},
                  true},
        PanelCase{
            "what was never pressed, by one encoder's two devices",
            {"1.0 Shift+ Alt+; 1.1 Shift- Alt-", "1.2 A+; 1.3 A-"},
            {"Input 21: Shift+Left Alt", "Input 21: Shift+Left Alt released", "Input 17: A",
             "Input 17: A released", "Seen 2 of 6 used inputs; not seen: " + NotSeenButAAndChord},
            4,
            R"({"event":"summary","seen":2,"used":6,"notSeen":[)"
            R"({"input":5,"label":"P1 Button 1"},{"input":6,"label":"P1 Button 2"},)"
            R"({"input":8,"label":"P1 Button 4"},{"input":20,"label":"Pause"}],"notToldApart":[]})",
            {0, 0},
            true}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(PanelMonitorTime, aModifierAloneIsNamedOnceTheChordWindowHasPassed) {
    MonitorSession session({buttons()});
    (void)session.feed({0, {1'000'000, 1, CodeLeftCtrl, 1}});
    EXPECT_TRUE(session.feed({0, {1'000'000, 0, 0, 0}}).empty());
    EXPECT_TRUE(session.tick(1'000'000 + ChordWindowMicroseconds).empty())
        << "a key may still come";
    const std::vector<EncoderReport> named = session.tick(1'000'001 + ChordWindowMicroseconds);
    ASSERT_EQ(named.size(), 1U);
    EXPECT_EQ(session.text(named[0], "event0"), Ctrl);
    EXPECT_EQ(named[0].report.microseconds, 1'000'000) << "named as of its press";
}

TEST(PanelMonitorTime, motionIsSummedForASecondAndCutOnlyAtTheEndOfAFrame) {
    MonitorSession session({buttons()});
    (void)session.feed({0, {1'000'000, 2, 0, 4}});
    (void)session.feed({0, {1'000'000, 0, 0, 0}});
    (void)session.feed({0, {1'900'000, 2, 0, 1}});
    EXPECT_TRUE(session.tick(2'000'000).empty()) << "its frame has not ended";
    (void)session.feed({0, {1'900'000, 0, 0, 0}});
    EXPECT_TRUE(session.tick(1'999'999).empty());
    const std::vector<EncoderReport> due = session.tick(2'000'000);
    ASSERT_EQ(due.size(), 1U);
    EXPECT_EQ(session.text(due[0], "event0"), "motion on event0: X +5");
}

} // namespace
} // namespace vantrel
