#include "model/MacroRules.h"

#include <algorithm>

namespace vantrel {
namespace {

bool isAction(const MacroStep& step) {
    return !step.isEmpty() && step.KeyType <= KeyTypeJoystick;
}

bool sameAction(const MacroStep& a, const MacroStep& b) {
    return a.KeyType == b.KeyType && a.KeyValue == b.KeyValue;
}

bool releasedLater(const InputMacro& macro, int position) {
    const MacroStep& press = stepAt(macro, position);
    for (int later = position + 1; later < StepPositionCount; ++later) {
        const MacroStep& step = stepAt(macro, later);
        if (isRelease(step) && sameAction(step, press)) {
            return true;
        }
    }
    return false;
}

bool pressedEarlier(const InputMacro& macro, int position) {
    const MacroStep& release = stepAt(macro, position);
    for (int earlier = 0; earlier < position; ++earlier) {
        const MacroStep& step = stepAt(macro, earlier);
        if (isPress(step) && sameAction(step, release)) {
            return true;
        }
    }
    return false;
}

} // namespace

const MacroStep& stepAt(const InputMacro& macro, int position) {
    const StepPlace place = stepPlace(position);
    return macro.step(place.n, place.sequence);
}

MacroStep& stepAt(InputMacro& macro, int position) {
    const StepPlace place = stepPlace(position);
    return macro.step(place.n, place.sequence);
}

void compactSequences(InputMacro& macro) {
    for (auto& sequence : macro.Steps) {
        const auto kept = std::stable_partition(sequence.begin(), sequence.end(),
                                                [](const MacroStep& s) { return !s.isEmpty(); });
        std::fill(kept, sequence.end(), MacroStep{});
    }
}

bool isPress(const MacroStep& step) {
    return isAction(step) && step.PressRelease;
}

bool isRelease(const MacroStep& step) {
    return isAction(step) && !step.PressRelease;
}

std::optional<int> findUnmatchedPress(const InputMacro& macro) {
    const std::vector<int> unmatched = unmatchedPresses(macro);
    return unmatched.empty() ? std::nullopt : std::optional<int>(unmatched.front());
}

std::vector<int> unmatchedPresses(const InputMacro& macro) {
    std::vector<int> positions;
    for (int position = 0; position < StepPositionCount; ++position) {
        if (isPress(stepAt(macro, position)) && !releasedLater(macro, position)) {
            positions.push_back(position);
        }
    }
    return positions;
}

std::vector<int> unpressedReleases(const InputMacro& macro) {
    std::vector<int> positions;
    for (int position = stepPosition(0, Deactivation); position < StepPositionCount; ++position) {
        if (isRelease(stepAt(macro, position)) && !pressedEarlier(macro, position)) {
            positions.push_back(position);
        }
    }
    return positions;
}

} // namespace vantrel
