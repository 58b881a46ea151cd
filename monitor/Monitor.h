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
#include <list>
#include <map>
#include <optional>
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

/// The longest a rotary switch holds its key for one step. The encoder sends
/// a step as a press and a release, and at its fastest rate ("40 per sec")
/// steps come 25 ms apart, so both fit in that time; a button or joystick
/// held longer than that was held by a person. How long the encoder really
/// holds the key is not known: an assumption to confirm on the hardware.
constexpr std::int64_t RotaryPulseMicroseconds = 25'000;

/// One encoder's configuration, matched against the events of its devices
/// (keyboard, mouse, joystick), each decoded on its own. A press that several
/// controls could have sent is reported once what follows it decides which
/// (a macro's later steps, the key let go, how long it was held), naming that
/// one; when nothing can, it names them all and counts none. Feed it every event
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
        bool roundPlayed = false; ///< a repeating macro has begun its steps again
    };

    /// One control that may have sent a press in doubt.
    struct Alternative {
        enum class State : std::uint8_t { Open, Fits, Out };
        Candidate candidate;
        State state = State::Open;
        MacroInPlay macro;      ///< a macro's steps, followed as they come
        bool beyondKey = false; ///< it played a step that the key alone does not make
    };

    /// A press that more than one control could have sent, until what
    /// follows it decides which.
    struct InDoubt {
        ControlAction press;
        std::vector<Alternative> alternatives;
        /// What came after it as its macros' steps, or its key let go; told
        /// again as activations of their own when no macro was playing.
        std::vector<ControlAction> followers;
        bool released = false;
    };

    /// A report, or the place of a press still in doubt: reports leave in
    /// the order of their activations.
    struct Slot {
        MonitorReport report;
        std::optional<InDoubt> doubt;
    };

    /// What belongs to one device: its decoding state and the macros it
    /// may be playing.
    struct Device {
        explicit Device(ActivationTracker::ChordTest sendsChord)
            : tracker(std::move(sendsChord)) {}

        EventDecoder decoder;
        ActivationTracker tracker;
        MotionSummary motion;
        std::vector<MacroInPlay> macros; ///< of presses decided to be macros
        std::list<Slot> outgoing;
        std::int64_t lastEvent = 0;
        std::map<ControlIdentity, std::vector<Candidate>> pressedCandidates;
    };

    Device& device(std::size_t index);
    void handle(std::size_t index, Device& device, const std::vector<ControlAction>& actions,
                std::vector<MonitorReport>& out);
    void take(std::size_t index, Device& device, const ControlAction& action);
    [[nodiscard]] bool continuesMacro(Device& device, const ControlAction& action) const;
    [[nodiscard]] bool continues(MacroInPlay& macro, const ControlAction& action) const;
    [[nodiscard]] bool playedThrough(const MacroInPlay& macro) const;
    [[nodiscard]] std::optional<std::int64_t> nextStepDue(const MacroInPlay& macro) const;
    void open(std::size_t index, Device& device, const ControlAction& activation);
    [[nodiscard]] bool offer(std::size_t index, Device& device, Slot& slot,
                             const ControlAction& action);
    void expire(std::size_t index, Device& device, std::int64_t microseconds);
    void settle(std::size_t index, Device& device, Slot& slot);
    void decide(std::size_t index, Device& device, Slot& slot, std::vector<Candidate> controls);
    static void flush(Device& device, std::vector<MonitorReport>& out);

    ActivationMatcher matcher_;
    SeenControls seen_;
    std::map<std::size_t, Device> devices_;
};

} // namespace vantrel
