#pragma once

#include "model/modSettings.h"
#include "monitor/ActivationMatcher.h"
#include "monitor/ActivationTracker.h"
#include "monitor/EventDecoder.h"
#include "monitor/EventSource.h"
#include "monitor/MotionSummary.h"
#include "monitor/SeenControls.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The monitor's matching: events in, one report per activation of a
// physical control out, each naming what in the configuration sends it.
namespace vantrel {

struct MonitorReport {
    enum class Kind : std::uint8_t { Press, Release, Motion };
    Kind kind = Kind::Press;
    std::int64_t microseconds = 0;
    std::size_t device = 0;
    std::string action; ///< what arrived, as "Ctrl+A" or "Button 3"
    std::vector<Candidate> candidates;
    std::vector<MotionAxis> motion;
};

/// How much later than its delays say a macro's step may come and still be
/// taken for the macro going on rather than for a press of its own.
constexpr std::int64_t MacroStepSlackMicroseconds = 30'000;

/// One encoder's configuration, matched against the events of its devices
/// (keyboard, mouse, joystick), each decoded on its own. Feed it every event
/// as it comes; call tick() when nothing came for a while (a few times a
/// second), so that a modifier key held alone and the last second of motion
/// are reported; finish() at the end.
class Monitor {
public:
    explicit Monitor(const Configuration& config);
    ~Monitor() = default;
    // Each device's tracker asks the matcher through this object.
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;
    Monitor(Monitor&&) = delete;
    Monitor& operator=(Monitor&&) = delete;

    [[nodiscard]] std::vector<MonitorReport> feed(const SourcedEvent& event);
    /// What has become due by this time on the events' clock: presses no
    /// longer waiting for a chord, motion summaries whose second is over.
    [[nodiscard]] std::vector<MonitorReport> tick(std::int64_t microseconds);
    /// Everything still kept back, at the end of the events.
    [[nodiscard]] std::vector<MonitorReport> finish();
    /// Which of the configuration's controls have been pressed so far.
    [[nodiscard]] const SeenControls& seen() const { return seen_; }

private:
    /// A macro that may be playing, and the steps it has yet to play.
    struct MacroInPlay {
        int input = -1;
        std::vector<PlayedStep> steps;
        std::size_t next = 0;
        std::int64_t lastStep = 0;
    };

    /// What belongs to one device: its decoding state and the macros it
    /// may be playing.
    struct Device {
        explicit Device(ActivationTracker::ChordTest sendsChord)
            : tracker(std::move(sendsChord)) {}

        EventDecoder decoder;
        ActivationTracker tracker;
        MotionSummary motion;
        std::vector<MacroInPlay> macros;
        std::int64_t lastEvent = 0;
        std::map<ControlIdentity, std::vector<Candidate>> pressedCandidates;
    };

    Device& device(std::size_t index);
    void handle(std::size_t index, Device& device, const std::vector<ControlAction>& actions,
                std::vector<MonitorReport>& out);
    [[nodiscard]] bool continuesMacro(Device& device, const ControlAction& action) const;
    [[nodiscard]] static bool mayReleaseASingleAction(const Device& device,
                                                      const ControlAction& action);
    [[nodiscard]] bool continues(MacroInPlay& macro, const ControlAction& action) const;
    void report(std::size_t index, Device& device, const ControlAction& activation,
                std::vector<MonitorReport>& out);

    ActivationMatcher matcher_;
    SeenControls seen_;
    std::map<std::size_t, Device> devices_;
};

} // namespace vantrel
