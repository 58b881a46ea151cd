#include "monitor/Monitor.h"

#include "monitor/MonitorText.h"

#include <variant>

namespace vantrel {

Monitor::Monitor(const Configuration& config)
    : matcher_(config) {}

std::vector<MonitorReport> Monitor::feed(const SourcedEvent& event) {
    std::vector<MonitorReport> out;
    Device& device = devices_[event.device];
    device.lastEvent = event.event.microseconds;
    for (const DecodedEvent& decoded : device.decoder.decode(event.event)) {
        if (const auto* control = std::get_if<ControlEvent>(&decoded)) {
            handleControl(event.device, device, *control, out);
        } else if (auto summary = device.motion.add(std::get<MotionEvent>(decoded))) {
            out.push_back({MonitorReport::Kind::Motion,
                           event.event.microseconds,
                           event.device,
                           {},
                           {},
                           std::move(*summary)});
        }
    }
    return out;
}

std::vector<MonitorReport> Monitor::tick(std::int64_t microseconds) {
    std::vector<MonitorReport> out;
    for (auto& [index, device] : devices_) {
        if (auto summary = device.motion.due(microseconds)) {
            out.push_back(
                {MonitorReport::Kind::Motion, microseconds, index, {}, {}, std::move(*summary)});
        }
    }
    return out;
}

std::vector<MonitorReport> Monitor::finish() {
    std::vector<MonitorReport> out;
    for (auto& [index, device] : devices_) {
        if (auto summary = device.motion.flush()) {
            out.push_back({MonitorReport::Kind::Motion,
                           device.lastEvent,
                           index,
                           {},
                           {},
                           std::move(*summary)});
        }
    }
    return out;
}

void Monitor::handleControl(std::size_t index, Device& device, const ControlEvent& control,
                            std::vector<MonitorReport>& out) {
    // The tracker sees every event, so that its modifier state stays true,
    // but what a macro plays after its first press is that same activation.
    const bool partOfMacro = continuesMacro(device, control);
    for (const ControlAction& activation : device.tracker.track(control)) {
        if (!partOfMacro) {
            report(index, device, activation, out);
        }
    }
}

bool Monitor::continuesMacro(Device& device, const ControlEvent& control) const {
    if (device.nextStep >= device.macroSteps.size() && device.macroInput >= 0) {
        device.macroSteps = matcher_.repeatedSteps(device.macroInput);
        device.nextStep = 0;
    }
    if (device.nextStep < device.macroSteps.size() &&
        stepMatches(device.macroSteps[device.nextStep], control)) {
        ++device.nextStep;
        return true;
    }
    device.macroSteps.clear();
    device.nextStep = 0;
    device.macroInput = -1;
    return false;
}

void Monitor::report(std::size_t index, Device& device, const ControlAction& activation,
                     std::vector<MonitorReport>& out) const {
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
        if (line.candidates.size() == 1 && line.candidates.front().macro) {
            device.macroInput = line.candidates.front().source.index;
            device.macroSteps = matcher_.stepsAfter(device.macroInput, activation);
            device.nextStep = 0;
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
