#include "monitor/SeenControls.h"

#include "model/EffectiveMacro.h"

#include <algorithm>

namespace vantrel {

SeenControls::SeenControls(const Configuration& config) {
    for (int i = 0; i < InputCount; ++i) {
        inputs_.at(static_cast<std::size_t>(i)).used = !isNotUsed(effectiveMacro(config.input(i)));
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        rotaryKeys_.at(static_cast<std::size_t>(k)).used = config.rotaryKey(k).KeyValue != 0;
    }
}

void SeenControls::markPress(const std::vector<Candidate>& candidates, const std::string& action) {
    if (candidates.size() == 1) {
        control(candidates.front().source).seen = true;
        return;
    }
    NotToldApart group{{}, action};
    for (const Candidate& candidate : candidates) {
        control(candidate.source).maybe = true;
        group.sources.push_back(candidate.source);
    }
    if (!group.sources.empty() && std::ranges::find(notToldApart_, group) == notToldApart_.end()) {
        notToldApart_.push_back(std::move(group));
    }
}

bool SeenControls::used(const ActionSource& source) const {
    return control(source).used;
}

bool SeenControls::seen(const ActionSource& source) const {
    return control(source).seen;
}

bool SeenControls::maybe(const ActionSource& source) const {
    return control(source).maybe && !control(source).seen;
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
    for (const NotToldApart& group : notToldApart_) {
        if (std::ranges::any_of(group.sources, [this](const ActionSource& source) {
                return !control(source).seen;
            })) {
            summary.notToldApart.push_back(group);
        }
    }
    return summary;
}

const SeenControls::Control& SeenControls::control(const ActionSource& source) const {
    const auto index = static_cast<std::size_t>(source.index);
    return source.kind == ActionSource::Kind::Input ? inputs_.at(index) : rotaryKeys_.at(index);
}

SeenControls::Control& SeenControls::control(const ActionSource& source) {
    const auto index = static_cast<std::size_t>(source.index);
    return source.kind == ActionSource::Kind::Input ? inputs_.at(index) : rotaryKeys_.at(index);
}

} // namespace vantrel
