#include "monitor/Monitor.h"

#include "monitor/EventCodes.h"
#include "monitor/MonitorText.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <variant>

namespace vantrel {
namespace {

MonitorReport motionReport(std::size_t index, GatheredMotion&& motion) {
    return {MonitorReport::Kind::Motion, motion.microseconds, index, {}, {},
            std::move(motion.axes)};
}

} // namespace

Monitor::Monitor(const Configuration& config)
    : matcher_(config)
    , seen_(config) {}

Monitor::Device& Monitor::device(std::size_t index) {
    auto found = devices_.find(index);
    if (found == devices_.end()) {
        found = devices_
                    .try_emplace(
                        index,
                        [this](const ControlAction& chord) { return matcher_.sendsChord(chord); })
                    .first;
    }
    return found->second;
}

std::vector<MonitorReport> Monitor::feed(const SourcedEvent& event) {
    // What fell due on any device comes before what this event brings.
    std::vector<MonitorReport> out = tick(event.event.microseconds);
    Device& source = device(event.device);
    source.lastEvent = event.event.microseconds;
    for (const DecodedEvent& decoded : source.decoder.decode(event.event)) {
        if (const auto* control = std::get_if<ControlEvent>(&decoded)) {
            handle(event.device, source, source.tracker.track(*control), out);
        } else if (auto motion = source.motion.add(std::get<MotionEvent>(decoded))) {
            out.push_back(motionReport(event.device, std::move(*motion)));
        }
    }
    if (event.event.type == evdev::EvSyn && event.event.code == evdev::SynReport) {
        source.tracker.endFrame();
        source.motion.endFrame();
    }
    return out;
}

std::vector<MonitorReport> Monitor::tick(std::int64_t microseconds) {
    std::vector<MonitorReport> out;
    for (auto& [index, device] : devices_) {
        handle(index, device, device.tracker.tick(microseconds), out);
        expire(index, device, microseconds);
        flush(device, out);
        if (auto motion = device.motion.due(microseconds)) {
            out.push_back(motionReport(index, std::move(*motion)));
        }
    }
    return out;
}

std::vector<MonitorReport> Monitor::finish() {
    constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max() / 2;
    std::vector<MonitorReport> out;
    for (auto& [index, device] : devices_) {
        handle(index, device, device.tracker.finish(), out);
        // Nothing more will come: every step a macro still waits for is late.
        expire(index, device, Never);
        flush(device, out);
        if (auto motion = device.motion.flush()) {
            out.push_back(motionReport(index, std::move(*motion)));
        }
    }
    return out;
}

void Monitor::handle(std::size_t index, Device& device, const std::vector<ControlAction>& actions,
                     std::vector<MonitorReport>& out) {
    for (const ControlAction& action : actions) {
        take(index, device, action);
    }
    flush(device, out);
}

// What a macro plays after its first press is that same activation, so it
// is not reported again; a press still in doubt looks at what follows it.
void Monitor::take(std::size_t index, Device& device, const ControlAction& action) {
    if (continuesMacro(device, action)) {
        return;
    }
    for (Slot& slot : device.outgoing) {
        if (slot.doubt && offer(index, device, slot, action)) {
            return;
        }
    }
    open(index, device, action);
}

// Each macro a decided press started is followed until a press or release
// does not fit it; a step that comes later than the macro's delays allow is
// a control of its own.
bool Monitor::continuesMacro(Device& device, const ControlAction& action) const {
    std::erase_if(device.macros, [&](MacroInPlay& macro) { return !continues(macro, action); });
    return !device.macros.empty();
}

bool Monitor::continues(MacroInPlay& macro, const ControlAction& action) const {
    for (const ControlEvent& event : action.events) {
        if (macro.next >= macro.steps.size()) {
            macro.steps = matcher_.repeatedSteps(macro.input);
            macro.next = 0;
            macro.roundPlayed = true;
        }
        if (macro.next >= macro.steps.size()) {
            return false;
        }
        const PlayedStep& step = macro.steps[macro.next];
        const bool inTime =
            event.microseconds - macro.lastStep <= step.delayBefore + MacroStepSlackMicroseconds;
        if (!inTime || !stepMatches(step.step, event)) {
            return false;
        }
        ++macro.next;
        macro.lastStep = event.microseconds;
    }
    return true;
}

bool Monitor::playedThrough(const MacroInPlay& macro) const {
    return macro.next >= macro.steps.size() && matcher_.repeatedSteps(macro.input).empty();
}

// The latest a macro's next step can come; nothing once it has played through.
std::optional<std::int64_t> Monitor::nextStepDue(const MacroInPlay& macro) const {
    if (macro.next < macro.steps.size()) {
        return macro.lastStep + macro.steps[macro.next].delayBefore + MacroStepSlackMicroseconds;
    }
    const std::vector<PlayedStep> again = matcher_.repeatedSteps(macro.input);
    if (again.empty()) {
        return std::nullopt;
    }
    return macro.lastStep + again.front().delayBefore + MacroStepSlackMicroseconds;
}

void Monitor::open(std::size_t index, Device& device, const ControlAction& activation) {
    const ControlEvent& control = activation.control;
    const ControlIdentity key = controlIdentity(control);
    Slot slot{{control.pressed ? MonitorReport::Kind::Press : MonitorReport::Kind::Release,
               control.microseconds,
               index,
               actionName(activation),
               {},
               {}},
              std::nullopt};
    if (!control.pressed) {
        const auto pressed = device.pressedCandidates.find(key);
        if (pressed == device.pressedCandidates.end() || pressed->second.empty()) {
            return; // nothing in the configuration sends it, so its release says nothing new
        }
        slot.report.candidates = std::move(pressed->second);
        device.pressedCandidates.erase(pressed);
        device.outgoing.push_back(std::move(slot));
        return;
    }
    std::vector<Candidate> candidates = matcher_.candidates(activation);
    if (candidates.size() <= 1) {
        if (!candidates.empty()) {
            seen_.markPress(candidates, slot.report.action);
        }
        if (candidates.size() == 1 && candidates.front().macro) {
            const int input = candidates.front().source.index;
            device.macros.push_back(
                {input, matcher_.stepsAfter(input, activation), 0, control.microseconds});
        }
        device.pressedCandidates[key] = candidates;
        slot.report.candidates = std::move(candidates);
        device.outgoing.push_back(std::move(slot));
        return;
    }
    InDoubt doubt{activation, {}, {}, false};
    for (const Candidate& candidate : candidates) {
        Alternative alternative{candidate, Alternative::State::Fits, {}, false};
        if (candidate.macro) {
            const int input = candidate.source.index;
            alternative.macro = {input, matcher_.stepsAfter(input, activation), 0,
                                 control.microseconds};
            if (!playedThrough(alternative.macro)) {
                alternative.state = Alternative::State::Open;
            }
        } else if (candidate.source.kind == ActionSource::Kind::RotaryKey) {
            alternative.state = Alternative::State::Open; // until its key is let go
        }
        doubt.alternatives.push_back(std::move(alternative));
    }
    slot.doubt = std::move(doubt);
    device.outgoing.push_back(std::move(slot));
    settle(index, device, device.outgoing.back());
}

// What comes after a press in doubt: a macro's next step (in time) goes on
// with that macro, anything else ends every macro that waited for a step;
// the press's own key let go tells a rotary step from a held button.
bool Monitor::offer(std::size_t index, Device& device, Slot& slot, const ControlAction& action) {
    InDoubt& doubt = *slot.doubt;
    const bool ownRelease = !action.control.pressed && !doubt.released &&
                            controlIdentity(action.control) == controlIdentity(doubt.press.control);
    bool taken = false;
    for (Alternative& alternative : doubt.alternatives) {
        if (alternative.state != Alternative::State::Open || !alternative.candidate.macro) {
            continue;
        }
        MacroInPlay played = alternative.macro;
        if (continues(played, action)) {
            alternative.macro = std::move(played);
            alternative.beyondKey = alternative.beyondKey || !ownRelease;
            if (playedThrough(alternative.macro)) {
                alternative.state = Alternative::State::Fits;
            }
            taken = true;
        } else {
            alternative.state =
                alternative.macro.roundPlayed ? Alternative::State::Fits : Alternative::State::Out;
        }
    }
    if (ownRelease) {
        // Held longer than a rotary step, the rotary direction was ruled
        // out when that time passed (every event first brings the time on).
        doubt.released = true;
        for (Alternative& alternative : doubt.alternatives) {
            if (alternative.state == Alternative::State::Open &&
                alternative.candidate.source.kind == ActionSource::Kind::RotaryKey) {
                alternative.state = Alternative::State::Fits;
            }
        }
        taken = true;
    }
    if (taken) {
        doubt.followers.push_back(action);
    }
    settle(index, device, slot);
    return taken;
}

void Monitor::expire(std::size_t index, Device& device, std::int64_t microseconds) {
    for (Slot& slot : device.outgoing) {
        if (!slot.doubt) {
            continue;
        }
        const InDoubt& doubt = *slot.doubt;
        for (Alternative& alternative : slot.doubt->alternatives) {
            if (alternative.state != Alternative::State::Open) {
                continue;
            }
            if (alternative.candidate.macro) {
                const std::optional<std::int64_t> due = nextStepDue(alternative.macro);
                if (due && microseconds > *due) {
                    // A repeating macro may stop after any whole round.
                    const bool wholeRounds =
                        alternative.macro.roundPlayed ||
                        alternative.macro.next >= alternative.macro.steps.size();
                    alternative.state =
                        wholeRounds ? Alternative::State::Fits : Alternative::State::Out;
                }
            } else if (microseconds - doubt.press.control.microseconds > RotaryPulseMicroseconds) {
                alternative.state = Alternative::State::Out; // held longer than a rotary step
            }
        }
        settle(index, device, slot);
    }
}

// A macro that played a step the key alone does not make, and then played
// through (or began again), was that macro. Otherwise, once nothing waits,
// what still fits it: one control, or several not told apart.
void Monitor::settle(std::size_t index, Device& device, Slot& slot) {
    if (!slot.doubt) {
        return;
    }
    const std::vector<Alternative>& alternatives = slot.doubt->alternatives;
    std::vector<Candidate> controls;
    for (const Alternative& alternative : alternatives) {
        const MacroInPlay& macro = alternative.macro;
        if (alternative.candidate.macro && alternative.state != Alternative::State::Out &&
            alternative.beyondKey && (playedThrough(macro) || macro.roundPlayed)) {
            controls.push_back(alternative.candidate);
        }
    }
    if (controls.empty()) {
        if (std::ranges::any_of(alternatives, [](const Alternative& alternative) {
                return alternative.state == Alternative::State::Open;
            })) {
            return;
        }
        for (const Alternative& alternative : alternatives) {
            if (alternative.state == Alternative::State::Fits) {
                controls.push_back(alternative.candidate);
            }
        }
        if (controls.empty()) { // it fits none of them as it should: any may have sent it
            std::ranges::transform(alternatives, std::back_inserter(controls),
                                   &Alternative::candidate);
        }
    }
    decide(index, device, slot, std::move(controls));
}

void Monitor::decide(std::size_t index, Device& device, Slot& slot,
                     std::vector<Candidate> controls) {
    const InDoubt doubt = std::move(*slot.doubt);
    slot.doubt.reset();
    slot.report.candidates = std::move(controls);
    const std::vector<Candidate>& decided = slot.report.candidates;
    seen_.markPress(decided, slot.report.action);
    if (std::ranges::all_of(decided, &Candidate::macro)) {
        // What followed was the macro playing, and it may play on.
        for (const Alternative& alternative : doubt.alternatives) {
            if (std::ranges::count(decided, alternative.candidate.source, &Candidate::source) > 0) {
                device.macros.push_back(alternative.macro);
            }
        }
        return;
    }
    device.pressedCandidates[controlIdentity(doubt.press.control)] = decided;
    for (const ControlAction& follower : doubt.followers) {
        take(index, device, follower);
    }
}

void Monitor::flush(Device& device, std::vector<MonitorReport>& out) {
    while (!device.outgoing.empty() && !device.outgoing.front().doubt) {
        out.push_back(std::move(device.outgoing.front().report));
        device.outgoing.pop_front();
    }
}

} // namespace vantrel
