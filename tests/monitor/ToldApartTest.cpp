#include "formats/ConfigurationSource.h"
#include "monitor/EvemuRecording.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorSession.h"
#include "monitor/MonitorText.h"
#include "tests/monitor/Frames.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A press that several controls of the example cabinet could have sent is
// decided by what follows it; what nothing decides is said and not counted.
namespace vantrel {
namespace {

constexpr std::uint8_t UsageZ = 29;
constexpr std::uint8_t UsageF7 = 64;

const std::string Example = std::string(VANTREL_EXAMPLES) + "/two-player-cabinet.json";

struct ToldApartCase {
    std::string name;
    std::string keys; ///< see Frames.h
    /// What is printed for it, then the summary's lines after its count.
    std::vector<std::string> lines;
    std::size_t seen = 0;
    std::uint8_t pauseSends = 0;    ///< a key Input 28 (Pause) sends in place of its own
    std::string notToldApartJson{}; ///< the JSON summary's field, where pinned
};

void PrintTo(const ToldApartCase& toldApart, std::ostream* out) {
    *out << toldApart.name;
}

class ToldApart : public ::testing::TestWithParam<ToldApartCase> {};

TEST_P(ToldApart, countsOnlyWhatIsDecided) {
    LoadedConfiguration cabinet = loadConfiguration(Example).value();
    if (GetParam().pauseSends != 0) {
        encodeSingleKey(KeyTypeKeyboard, GetParam().pauseSends, 0, cabinet.config.input(27));
    }
    Monitor monitor(cabinet.config);
    std::vector<std::string> lines;
    const auto print = [&](const std::vector<MonitorReport>& reports) {
        for (const MonitorReport& report : reports) {
            lines.push_back(reportText(report, "keyboard", cabinet.labels));
        }
    };
    for (const InputEvent& event : testing::frames(GetParam().keys)) {
        print(monitor.feed({0, event}));
    }
    print(monitor.finish());
    const std::vector<std::string> summary = summaryText(monitor.seen().summary(), cabinet.labels);
    lines.insert(lines.end(), summary.begin() + 1, summary.end());
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(monitor.seen().summary().seen, GetParam().seen);
    if (!GetParam().notToldApartJson.empty()) {
        EXPECT_NE(
            summaryJson(monitor.seen().summary(), cabinet.labels).find(GetParam().notToldApartJson),
            std::string::npos);
    }
}

static_assert(RotaryPulseMicroseconds == 25'000, "the dial's rows below hold Left for 25 ms");

const std::string Coin = "Input 12 (Coin 1): 5 %";
const std::string Start = "Input 11 (P1 Start): 1 !";
const std::string Ctrl = "Input 5 (P1 Button 1): Left Ctrl";
const std::string Left = "Input 3 (P1 Left): Left Arrow";
const std::string LeftOrDial =
    "Input 3 (P1 Left) or Rotary Switch 1 (P1 Dial) counterclockwise: Left Arrow";
const std::string LoadOrF7 = "Input 28 (Pause) or Input 32 (Load State) (macro): F7";
const std::string ZOrPause = "Input 9 (P1 Button 5) or Input 28 (Pause): Z";
const std::string Pointer = " (more than one control sends this: see vantrelctl check)";
const std::string AutofireMacro = "Input 33 (P1 Autofire): macro, first step press Left Ctrl";

INSTANTIATE_TEST_SUITE_P(
    exampleCabinet, ToldApart,
    ::testing::Values(
        ToldApartCase{"Coin 1 alone: let go, and no step of the macro after it",
                      "1.0 5+; 1.1 5-",
                      {Coin, Coin + " released"},
                      1},
        ToldApartCase{"the coin-and-start macro plays at its delays",
                      "1.0 5+; 1.1 5-; 1.63 1+; 1.73 1-",
                      {"Input 29 (Coin & Start): macro, first step press 5 %"},
                      1},
        ToldApartCase{"P1 Start later than the macro's step may come is a press of its own",
                      "1.0 5+; 1.1 5-; 1.630001 1+; 1.73 1-",
                      {Coin, Coin + " released", Start, Start + " released"},
                      2},
        ToldApartCase{"held past autofire's release, it is P1 Button 1",
                      "1.0 Ctrl+; 1.12 Ctrl-",
                      {Ctrl, Ctrl + " released"},
                      1},
        ToldApartCase{"autofire beginning again is the autofire button",
                      "1.0 Ctrl+; 1.05 Ctrl-; 1.05 Ctrl+; 1.1 Ctrl-",
                      {AutofireMacro},
                      1},
        ToldApartCase{"autofire's release at the latest it may come still plays the macro",
                      "1.0 Ctrl+; 1.08 Ctrl-; 1.08 Ctrl+; 1.13 Ctrl-",
                      {AutofireMacro},
                      1},
        ToldApartCase{
            "one round of autofire is also a tap of P1 Button 1",
            "1.0 Ctrl+; 1.05 Ctrl-",
            {"Input 5 (P1 Button 1) or Input 33 (P1 Autofire) (macro): Left Ctrl" + Pointer,
             "Input 5 (P1 Button 1) or Input 33 (P1 Autofire) (macro): Left Ctrl released",
             "not told apart: Input 5 (P1 Button 1) or Input 33 (P1 Autofire): both "
             "send Left Ctrl; press it again, or see vantrelctl check"},
            0},
        ToldApartCase{"let go within a dial's step, it may be either",
                      "1.0 Left+; 1.025 Left-",
                      {LeftOrDial + Pointer, LeftOrDial + " released",
                       "not told apart: Input 3 (P1 Left) or Rotary Switch 1 (P1 Dial) "
                       "counterclockwise: both send Left Arrow; press it again, or see "
                       "vantrelctl check"},
                      0},
        ToldApartCase{"held longer than a dial's step, it is the joystick",
                      "1.0 Left+; 1.025001 Left-",
                      {Left, Left + " released"},
                      1},
        ToldApartCase{.name = "a macro that only taps a key cannot be told from that key",
                      .keys = "1.0 F7+; 1.05 F7-",
                      .lines = {LoadOrF7 + Pointer, LoadOrF7 + " released",
                                "not told apart: Input 28 (Pause) or Input 32 (Load State): both "
                                "send F7; press it again, or see vantrelctl check"},
                      .seen = 0,
                      .pauseSends = UsageF7},
        ToldApartCase{.name = "two inputs on one key are each maybe, and neither counts",
                      .keys = "1.0 Z+; 1.2 Z-",
                      .lines = {ZOrPause + Pointer, ZOrPause + " released",
                                "not told apart: Input 9 (P1 Button 5) or Input 28 (Pause): both "
                                "send Z; press it again, or see vantrelctl check"},
                      .seen = 0,
                      .pauseSends = UsageZ,
                      .notToldApartJson =
                          R"("notToldApart":[{"action":"Z","controls":[{"input":9,"label":"P1 )"
                          R"(Button 5"},{"input":28,"label":"Pause"}]}]})"}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

// The README's example session, replayed as vantrelctl monitor replays it:
// only what the recordings press is counted, every other control is not seen,
// and its one dial step is not told apart from a tap of P2 Left.
TEST(ToldApartSession, theExampleSessionCountsWhatItPresses) {
    const LoadedConfiguration cabinet = loadConfiguration(Example).value();
    MonitorSession session({{"", cabinet.config, cabinet.labels}});
    std::size_t device = 0;
    for (const char* file : {"/two-player-cabinet.evemu", "/two-player-cabinet-mouse.evemu"}) {
        std::ifstream in(std::string(VANTREL_EXAMPLES) + file);
        EvemuReader reader(in);
        InputEvent event;
        while (reader.next(event) == EvemuReader::Result::Event) {
            (void)session.feed({device, event});
        }
        (void)session.finish();
        ++device;
    }
    EXPECT_EQ(session.summaryText(),
              std::vector<std::string>(
                  {"Seen 27 of 37 used inputs and rotary directions; not seen: Input 12 (Coin 1), "
                   "Input 23 (P2 Start), Input 24 (Coin 2), Input 28 (Pause), Input 31 (Save "
                   "State), Input 33 (P1 Autofire), Rotary Switch 1 (P1 Dial) counterclockwise, "
                   "Rotary Switch 1 (P1 Dial) clockwise, Rotary Switch 2 (P2 Dial) "
                   "counterclockwise, Rotary Switch 2 (P2 Dial) clockwise",
                   "not told apart: Input 15 (P2 Left) or Rotary Switch 2 (P2 Dial) "
                   "counterclockwise: both send D; press it again, or see vantrelctl check"}));
}

} // namespace
} // namespace vantrel
