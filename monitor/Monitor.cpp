#include "monitor/Monitor.h"

#include "monitor/EventCodes.h"
#include "monitor/MonitorText.h"

#include <algorithm>
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
        if (auto motion = device.motion.due(microseconds)) {
            out.push_back(motionReport(index, std::move(*motion)));
        }
    }
    return out;
}

std::vector<MonitorReport> Monitor::finish() {
    std::vector<MonitorReport> out;
    for (auto& [index, device] : devices_) {
        handle(index, device, device.tracker.finish(), out);
        if (auto motion = device.motion.flush()) {
            out.push_back(motionReport(index, std::move(*motion)));
        }
    }
    return out;
}

// What a macro plays after its first press is that same activation, so it
// is not reported again; but where a single action could have made that
// press, a release that fits the macro may just as well be its release.
void Monitor::handle(std::size_t index, Device& device, const std::vector<ControlAction>& actions,
                     std::vector<MonitorReport>& out) {
    for (const ControlAction& action : actions) {
        if (!continuesMacro(device, action) || mayReleaseASingleAction(device, action)) {
            report(index, device, action, out);
        }
    }
}

bool Monitor::mayReleaseASingleAction(const Device& device, const ControlAction& action) {
    if (action.control.pressed) {
        return false;
    }
    const auto pressed = device.pressedCandidates.find(controlIdentity(action.control));
    return pressed != device.pressedCandidates.end() &&
           std::ranges::any_of(pressed->second,
                               [](const Candidate& candidate) { return !candidate.macro; });
}

// Each macro the first press could have started is followed until a press
// or release does not fit it; a step that comes later than the macro's
// delays allow is a control of its own.
bool Monitor::continuesMacro(Device& device, const ControlAction& action) const {
    std::erase_if(device.macros, [&](MacroInPlay& macro) { return !continues(macro, action); });
    return !device.macros.empty();
}

bool Monitor::continues(MacroInPlay& macro, const ControlAction& action) const {
    for (const ControlEvent& event : action.events) {
        if (macro.next >= macro.steps.size()) {
            macro.steps = matcher_.repeatedSteps(macro.input);
            macro.next = 0;
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

void Monitor::report(std::size_t index, Device& device, const ControlAction& activation,
                     std::vector<MonitorReport>& out) {
    const ControlEvent& control = activation.control;
    const ControlIdentity key = controlIdentity(control);
    MonitorReport line{control.pressed ? MonitorReport::Kind::Press : MonitorReport::Kind::Release,
                       control.microseconds,
                       index,
                       actionName(activation),
                       {},
                       {}};
    if (control.pressed) {
        line.candidates = matcher_.candidates(activation);
        device.pressedCandidates[key] = line.candidates;
        seen_.markSeen(line.candidates);
        for (const Candidate& candidate : line.candidates) {
            if (candidate.macro) {
                const int input = candidate.source.index;
                device.macros.push_back(
                    {input, matcher_.stepsAfter(input, activation), 0, control.microseconds});
            }
        }
    } else {
        const auto pressed = device.pressedCandidates.find(key);
        if (pressed == device.pressedCandidates.end() || pressed->second.empty()) {
            return; // nothing in the configuration sends it, so its release says nothing new
        }
        line.candidates = pressed->second;
        device.pressedCandidates.erase(pressed);
    }
    out.push_back(std::move(line));
}

} // namespace vantrel
