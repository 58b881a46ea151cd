#include "formats/ConfigurationSource.h"
#include "keytext/KeyCodeTable.h"
#include "model/ConfigurationFindings.h"
#include "model/EffectiveMacro.h"
#include "model/MacroStart.h"
#include "monitor/EventCodes.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorText.h"
#include "tests/support/UsageKeyCodes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The example cabinet pressed control by control, as its encoder would send
// each: the monitor must name the control pressed, and name another with it
// only where check reports the two.
namespace vantrel {
namespace {

using testing::keyCodeOfUsage;

constexpr std::int64_t HoldMicroseconds = 100'000;
constexpr std::int64_t GapMicroseconds = 1'000'000;
constexpr std::int64_t DelayUnitMicroseconds = 10'000;

/// Plays what one control sends into a list of frames, as the encoder's
/// keyboard and mouse interfaces would.
class Player {
public:
    explicit Player(std::int64_t start)
        : time_(start) {}

    void frame(const std::vector<MacroStep>& steps) {
        for (const MacroStep& step : steps) {
            event(step);
        }
        events_.push_back({time_, evdev::EvSyn, evdev::SynReport, 0});
    }
    void wait(std::int64_t microseconds) { time_ += microseconds; }
    void play(const InputMacro& macro, int sequence) {
        for (int n = 0; n < sequenceLength(macro, sequence); ++n) {
            const MacroStep& step = macro.step(n, sequence);
            if (step.KeyType == KeyTypeDelay) {
                wait((step.KeyValue + 1) * DelayUnitMicroseconds);
            } else {
                frame({step});
            }
        }
    }
    [[nodiscard]] const std::vector<InputEvent>& events() const { return events_; }
    [[nodiscard]] std::int64_t time() const { return time_; }

private:
    void event(const MacroStep& step) {
        const std::int32_t value = step.PressRelease ? evdev::KeyPressed : evdev::KeyReleased;
        if (step.KeyType == KeyTypeMouse) {
            events_.push_back({time_, evdev::EvKey,
                               static_cast<std::uint16_t>(evdev::BtnLeft + step.KeyValue), value});
            return;
        }
        constexpr std::int32_t KeyboardScan = 0x70000;
        events_.push_back({time_, evdev::EvMsc, evdev::MscScan, KeyboardScan + step.KeyValue});
        events_.push_back({time_, evdev::EvKey, keyCodeOfUsage(step.KeyValue), value});
    }

    std::int64_t time_;
    std::vector<InputEvent> events_;
};

/// A single key's modifiers and key in one report, held, then let go.
void playSingle(Player& player, const SingleKey& action, std::int64_t hold = HoldMicroseconds) {
    std::vector<MacroStep> down;
    std::vector<MacroStep> up;
    for (const Press& press : pressesOf(action)) {
        down.push_back({press.keyType, press.keyValue, true});
        up.push_back({press.keyType, press.keyValue, false});
    }
    player.frame(down);
    player.wait(hold);
    player.frame(up);
}

void playInput(Player& player, const InputMacro& recorded) {
    const InputMacro macro = effectiveMacro(recorded);
    if (isSingleKeyAssignment(macro)) {
        playSingle(player, decodeSingleKey(macro));
        return;
    }
    player.play(macro, Activation);
    if (macro.RepeatDelay != 0) {
        player.play(macro, Activation);
    }
    player.wait(HoldMicroseconds);
    player.play(macro, Deactivation);
}

bool reportedTogether(const std::vector<Finding>& findings, const ActionSource& a,
                      const ActionSource& b) {
    return std::ranges::any_of(findings, [&](const Finding& finding) {
        return std::ranges::count(finding.sources, a) + std::ranges::count(finding.sources, b) == 2;
    });
}

TEST(CabinetReplay, everyControlIsNamedAndOthersOnlyWhereCheckReportsThePair) {
    const LoadedConfiguration cabinet =
        loadConfiguration(std::string(VANTREL_EXAMPLES) + "/two-player-cabinet.json").value();
    const std::vector<Finding> findings = configurationFindings(cabinet.config);
    Monitor monitor(cabinet.config);

    std::vector<ActionSource> controls;
    for (int i = 0; i < InputCount; ++i) {
        if (!isNotUsed(effectiveMacro(cabinet.config.input(i)))) {
            controls.push_back({ActionSource::Kind::Input, i});
        }
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        controls.push_back({ActionSource::Kind::RotaryKey, k});
    }
    std::int64_t start = GapMicroseconds;
    for (const ActionSource& control : controls) {
        Player player(start);
        if (control.kind == ActionSource::Kind::Input) {
            playInput(player, cabinet.config.input(control.index));
        } else {
            const RotaryKey& key = cabinet.config.rotaryKey(control.index);
            playSingle(player, {KeyTypeKeyboard, key.KeyValue, key.KeyOperator},
                       RotaryPulseMicroseconds);
        }
        std::vector<MonitorReport> reports;
        for (const InputEvent& event : player.events()) {
            std::ranges::move(monitor.feed({0, event}), std::back_inserter(reports));
        }
        start = player.time() + GapMicroseconds;
        std::ranges::move(monitor.tick(start), std::back_inserter(reports));

        const std::string who = reportText(
            {MonitorReport::Kind::Press, 0, 0, "", {{control, false, {}}}, {}}, "", cabinet.labels);
        const auto presses =
            std::ranges::count(reports, MonitorReport::Kind::Press, &MonitorReport::kind);
        EXPECT_EQ(presses, 1) << who;
        // A single action's release is its own, even where a macro begins
        // with the same press; a macro's later steps are that first press.
        const bool macro =
            control.kind == ActionSource::Kind::Input &&
            !isSingleKeyAssignment(effectiveMacro(cabinet.config.input(control.index)));
        const auto releases =
            std::ranges::count(reports, MonitorReport::Kind::Release, &MonitorReport::kind);
        EXPECT_TRUE(macro ? releases <= 1 : releases == 1) << who << releases << " releases";
        for (const MonitorReport& report : reports) {
            const std::string line = reportText(report, "", cabinet.labels);
            EXPECT_TRUE(std::ranges::count(report.candidates, control, &Candidate::source) == 1)
                << who << " gave " << line;
            for (const Candidate& other : report.candidates) {
                EXPECT_TRUE(other.source == control ||
                            reportedTogether(findings, control, other.source))
                    << line << ": check does not report the pair";
            }
        }
    }
    // Each dial direction shares its key with a joystick direction, and a
    // dial's step fits a tap of either: those alone are not counted.
    const SeenSummary summary = monitor.seen().summary();
    EXPECT_EQ(summary.notSeen,
              std::vector<ActionSource>(controls.end() - RotaryKeyCount, controls.end()));
    EXPECT_EQ(summary.notToldApart.size(), std::size_t{RotaryKeyCount});
}

} // namespace
} // namespace vantrel
