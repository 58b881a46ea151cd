#include "model/EffectiveMacro.h"

namespace vantrel {

int sequenceLength(const InputMacro& macro, int sequence) {
    int n = 0;
    while (n < StepsPerSequence && !macro.step(n, sequence).isEmpty()) {
        ++n;
    }
    return n;
}

InputMacro effectiveMacro(const InputMacro& macro) {
    InputMacro kept;
    for (int s = 0; s < SequenceCount; ++s) {
        const int length = sequenceLength(macro, s);
        for (int n = 0; n < length; ++n) {
            kept.step(n, s) = macro.step(n, s);
        }
    }
    if (sequenceLength(macro, Activation) > 0) {
        kept.RepeatDelay = macro.RepeatDelay;
    }
    return kept;
}

bool isNotUsed(const InputMacro& macro) {
    return sequenceLength(macro, Activation) == 0 && sequenceLength(macro, Deactivation) == 0;
}

} // namespace vantrel
