#include "MacroRules.h"

#include <algorithm>

namespace vantrel {
namespace {

const MacroStep& stepAt(const InputMacro& macro, int position) {
    return macro.step(position % StepsPerSequence, position / StepsPerSequence);
}

bool isAction(const MacroStep& step) {
    return !step.isEmpty() && step.KeyType <= KeyTypeJoystick;
}

bool releasedLater(const InputMacro& macro, int position) {
    const MacroStep& press = stepAt(macro, position);
    for (int later = position + 1; later < SequenceCount * StepsPerSequence; ++later) {
        const MacroStep& step = stepAt(macro, later);
        if (isRelease(step) && step.KeyType == press.KeyType && step.KeyValue == press.KeyValue) {
            return true;
        }
    }
    return false;
}

} // namespace

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
    for (int position = 0; position < SequenceCount * StepsPerSequence; ++position) {
        if (isPress(stepAt(macro, position)) && !releasedLater(macro, position)) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace vantrel
