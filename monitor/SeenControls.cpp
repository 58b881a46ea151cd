#include "monitor/SeenControls.h"

#include "model/EffectiveMacro.h"

namespace vantrel {

SeenControls::SeenControls(const Configuration& config) {
    for (int i = 0; i < InputCount; ++i) {
        inputs_.at(static_cast<std::size_t>(i)).used = !isNotUsed(effectiveMacro(config.input(i)));
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        rotaryKeys_.at(static_cast<std::size_t>(k)).used = config.rotaryKey(k).KeyValue != 0;
    }
}

void SeenControls::markSeen(const std::vector<Candidate>& candidates) {
    for (const Candidate& candidate : candidates) {
        const auto index = static_cast<std::size_t>(candidate.source.index);
        Control& control = candidate.source.kind == ActionSource::Kind::Input
                               ? inputs_.at(index)
                               : rotaryKeys_.at(index);
        control.seen = true;
    }
}

bool SeenControls::used(const ActionSource& source) const {
    return control(source).used;
}

bool SeenControls::seen(const ActionSource& source) const {
    return control(source).seen;
}

SeenSummary SeenControls::summary() const {
    SeenSummary summary;
    const auto count = [&summary](const Control& control, ActionSource source) {
        if (!control.used) {
            return;
        }
        ++summary.used;
        if (control.seen) {
            ++summary.seen;
        } else {
            summary.notSeen.push_back(source);
        }
    };
    for (int i = 0; i < InputCount; ++i) {
        count(inputs_.at(static_cast<std::size_t>(i)), {ActionSource::Kind::Input, i});
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        const Control& direction = rotaryKeys_.at(static_cast<std::size_t>(k));
        summary.rotaryDirectionsUsed = summary.rotaryDirectionsUsed || direction.used;
        count(direction, {ActionSource::Kind::RotaryKey, k});
    }
    return summary;
}

const SeenControls::Control& SeenControls::control(const ActionSource& source) const {
    const auto index = static_cast<std::size_t>(source.index);
    return source.kind == ActionSource::Kind::Input ? inputs_.at(index) : rotaryKeys_.at(index);
}

} // namespace vantrel
