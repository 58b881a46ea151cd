#include "monitor/Monitor.h"

#include "monitor/EvemuRecording.h"
#include "monitor/HatReach.h"
#include "monitor/MonitorText.h"
#include "tests/support/ModelBuilders.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using testing::delay;
using testing::keyDown;
using testing::keyUp;
using testing::macroOf;

struct Cabinet {
    Configuration config;
    ConfigurationLabels labels;
};

void single(Cabinet& cabinet, int input, std::uint8_t type, std::uint8_t value,
            std::uint8_t keyOperator = 0, const std::string& label = {}) {
    encodeSingleKey(type, value, keyOperator, cabinet.config.input(input - 1));
    cabinet.labels.inputs.at(static_cast<std::size_t>(input - 1)) = label;
}

Cabinet cabinet() {
    Cabinet cabinet;
    single(cabinet, 17, KeyTypeKeyboard, 4, OperatorCtrl, "P1 Button 1");
    single(cabinet, 2, KeyTypeKeyboard, 30, OperatorKeyRepeat, "P1 Start");
    single(cabinet, 3, KeyTypeKeyboard, 80, 0, "P1 Left");
    single(cabinet, 5, KeyTypeMouse, 0);
    single(cabinet, 6, KeyTypeJoystick, 2);
    single(cabinet, 7, KeyTypeJoystick, 65);
    single(cabinet, 8, KeyTypeJoystick, 19);
    single(cabinet, 10, KeyTypeKeyboard, 49);
    single(cabinet, 11, KeyTypeKeyboard, KeyLeftCtrl);
    cabinet.config.input(11) = macroOf({keyDown(229), keyDown(29), keyUp(29), keyUp(229)});
    // Coin, then start, after a pause: one press of the panel's coin button.
    cabinet.config.input(28) =
        macroOf({delay(4), keyDown(34), keyUp(34), delay(9), keyDown(30), keyUp(30)});
    cabinet.labels.inputs[28] = "Coin & Start";
    cabinet.config.rotaryKey(rotaryKeyIndex(0, true)) = {79, 0};
    cabinet.config.rotaryKey(rotaryKeyIndex(0, false)) = {80, 0};
    cabinet.labels.rotarySwitches[0] = "P1 Dial";
    return cabinet;
}

std::vector<std::string> replay(const std::string& name, bool json = false) {
    std::ifstream file(std::string(VANTREL_MONITOR_FIXTURES) + "/" + name);
    EvemuReader reader(file);
    EXPECT_NE(reader.readHeader(), EvemuReader::Result::Failed)
        << evemuFailureLine("recording", reader.failure());
    const Cabinet panel = cabinet();
    Monitor monitor(panel.config);
    ReplaySource source(name, reader);
    std::vector<std::string> lines;
    const auto print = [&](const std::vector<MonitorReport>& reports) {
        for (const MonitorReport& report : reports) {
            lines.push_back(json ? reportJson(report, name, panel.labels)
                                 : reportText(report, name, panel.labels));
        }
    };
    SourcedEvent event;
    while (source.next(event) == EventSource::Status::Event) {
        print(monitor.feed(event));
    }
    print(monitor.finish());
    return lines;
}

const std::string LeftArrow =
    "Input 3 (P1 Left) or Rotary Switch 1 (P1 Dial) counterclockwise: Left Arrow";

TEST(MonitorReplay, printsOneLinePerActivation) {
    // Each recording and the lines the monitor prints for it.
    const std::vector<std::pair<std::string, std::vector<std::string>>> recordings = {
        // Modifiers held, autorepeat, both rotary directions (one shared with an
        // input), a macro whose later steps are not taken for other inputs, a
        // key nothing sends.
        {"keyboard.evemu",
         {"Input 17 (P1 Button 1): Ctrl+A", "Input 17 (P1 Button 1): Ctrl+A released",
          "Rotary Switch 1 (P1 Dial) clockwise: Right Arrow",
          "Rotary Switch 1 (P1 Dial) clockwise: Right Arrow released",
          LeftArrow + " (more than one control sends this: see vantrelctl check)",
          LeftArrow + " released", "Input 29 (Coin & Start): macro, first step press 5 %",
          "not in the configuration: F13", "Input 2 (P1 Start): 1 !",
          "Input 2 (P1 Start): 1 ! released"}},
        // Key codes alone: a code two usages share, a modifier key on its own,
        // and a macro that starts with a modifier.
        {"keyboard-without-scan-codes.evemu",
         {"Input 10: \\ |", "Input 10: \\ | released", "Input 11: Left Ctrl",
          "Input 11: Left Ctrl released", "Input 12: macro, first step press Right Shift"}},
        {"mouse-and-joystick.evemu",
         {"Input 5: Left Click", "Input 5: Left Click released", "Input 6: Button 3",
          "Input 6: Button 3 released", "Input 8: Button 20", "Input 8: Button 20 released",
          "Input 7: Hat1 NE", "Input 7: Hat1 NE released", "not in the configuration: Hat2 W",
          "motion on mouse-and-joystick.evemu: X +8, Y -2",
          "motion on mouse-and-joystick.evemu: X +1, Wheel +1"}}};
    for (const auto& [fixture, lines] : recordings) {
        EXPECT_EQ(replay(fixture), lines) << fixture;
    }
}

// The session's table pins a labelled press and one nothing sends; these
// are the shapes only a cabinet with a rotary switch and a macro shows.
TEST(MonitorJson, linesCarryTheSameFacts) {
    const std::vector<std::string> lines = replay("keyboard.evemu", true);
    ASSERT_EQ(lines.size(), 10U);
    EXPECT_EQ(lines[4],
              R"({"event":"press","time":1.500000,"device":"keyboard.evemu","action":"Left Arrow",)"
              R"("controls":[{"input":3,"label":"P1 Left"},)"
              R"({"rotarySwitch":1,"direction":"counterclockwise","label":"P1 Dial"}]})");
    EXPECT_EQ(lines[6], R"({"event":"press","time":2.000000,"device":"keyboard.evemu",)"
                        R"("action":"5 %","controls":[{"input":29,"label":"Coin & Start",)"
                        R"("macro":true,"firstStep":"press 5 %"}]})");
}

TEST(MonitorHats, aDiagonalMoveInOneFrameIsOneChange) {
    Monitor monitor(cabinet().config);
    const auto hat = [&](std::int64_t time, std::uint16_t axis, std::int32_t value) {
        (void)monitor.feed({0, {time, 3, axis, value}});
    };
    hat(1, 0x10, 1); // E
    (void)monitor.feed({0, {1, 0, 0, 0}});
    hat(2, 0x10, 1);
    hat(2, 0x11, -1); // NE, the configured direction, without passing through the centre
    const std::vector<MonitorReport> reports = monitor.feed({0, {2, 0, 0, 0}});
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0].action, "Hat1 NE");
}

TEST(MonitorHats, aHatNoDeviceReportsIsNamedOnlyWhenTheAxesAreKnown) {
    using Axes = std::vector<std::optional<std::vector<std::uint16_t>>>;
    Configuration hat4; // sends Hat4 NW, the last hat's last code
    hat4.input(0) = macroOf({{KeyTypeJoystick, 95, true}});
    const Configuration hat1 = cabinet().config; // sends Hat1 NE
    // Each case, its configuration, the axes the devices report, and the hats missing.
    const std::vector<std::tuple<const char*, Configuration, Axes, std::vector<int>>> cases = {
        {"hat 1 unreported", hat1, Axes{{{0x00, 0x01}}}, {0}},
        {"hat 1 on the second device", hat1, Axes{std::nullopt, {{0x00, 0x01, 0x10, 0x11}}}, {}},
        {"a keyboard alone cannot tell",
         hat1,
         Axes{std::nullopt, std::vector<std::uint16_t>{}},
         {}},
        {"hat 4 unreported", hat4, Axes{{{0x10, 0x11, 0x12, 0x13, 0x14, 0x15}}}, {3}},
        {"hat 4 reported", hat4, Axes{{{0x16, 0x17}}}, {}},
    };
    for (const auto& [what, config, axes, missing] : cases) {
        EXPECT_EQ(hatsNotReported(config, axes), missing) << what;
    }
}

} // namespace
} // namespace vantrel
