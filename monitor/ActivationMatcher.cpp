#include "monitor/ActivationMatcher.h"

#include "model/EffectiveMacro.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr std::uint8_t ModifierBits = OperatorCtrl | OperatorShift | OperatorAlt;

// A macro may open with delays, and with releases of what was never pressed,
// which the computer does not see.
MacroStep firstPressStep(const InputMacro& macro) {
    const int length = sequenceLength(macro, Activation);
    for (int n = 0; n < length; ++n) {
        const MacroStep& step = macro.step(n, Activation);
        if (step.KeyType != KeyTypeDelay && step.PressRelease) {
            return step;
        }
    }
    return {};
}

bool sends(const ControlAction& press, std::uint8_t keyType, std::uint8_t keyValue) {
    return press.control.keyType == keyType &&
           std::ranges::find(press.control.values, keyValue) != press.control.values.end();
}

bool sendsKey(const ControlAction& press, std::uint8_t keyValue, std::uint8_t keyOperator) {
    return sends(press, KeyTypeKeyboard, keyValue) && !press.hasOtherModifiers() &&
           (keyOperator & ModifierBits) == press.keyOperator();
}

// What a macro pressed first to make this activation: the first modifier
// held, or the control itself.
bool beginsWith(const ControlAction& press, const MacroStep& first) {
    if (press.firstModifier != 0) {
        return first.KeyType == KeyTypeKeyboard && first.KeyValue == press.firstModifier;
    }
    return sends(press, first.KeyType, first.KeyValue);
}

std::vector<MacroStep> withoutDelays(const InputMacro& macro, int from) {
    std::vector<MacroStep> steps;
    const int length = sequenceLength(macro, Activation);
    for (int n = from; n < length; ++n) {
        if (macro.step(n, Activation).KeyType != KeyTypeDelay) {
            steps.push_back(macro.step(n, Activation));
        }
    }
    return steps;
}

} // namespace

bool stepMatches(const MacroStep& step, const ControlEvent& control) {
    return step.KeyType == control.keyType && step.PressRelease == control.pressed &&
           std::ranges::find(control.values, step.KeyValue) != control.values.end();
}

ActivationMatcher::ActivationMatcher(const Configuration& config)
    : rotaryKeys_(config.RotaryKeys) {
    for (int i = 0; i < InputCount; ++i) {
        Input& input = inputs_.at(static_cast<std::size_t>(i));
        input.played = effectiveMacro(config.input(i));
        input.sendsSomething = !isNotUsed(input.played);
        input.single = isSingleKeyAssignment(input.played);
        input.key = decodeSingleKey(input.played);
        input.firstPress = firstPressStep(input.played);
    }
}

std::vector<Candidate> ActivationMatcher::candidates(const ControlAction& press) const {
    std::vector<Candidate> found;
    for (int i = 0; i < InputCount; ++i) {
        const Input& input = inputs_.at(static_cast<std::size_t>(i));
        if (!input.sendsSomething) {
            continue;
        }
        const ActionSource source{ActionSource::Kind::Input, i};
        if (input.single) {
            const bool matches = input.key.KeyType == KeyTypeKeyboard
                                     ? sendsKey(press, input.key.KeyValue, input.key.KeyOperator)
                                     : sends(press, input.key.KeyType, input.key.KeyValue);
            if (matches) {
                found.push_back({source, false, {}});
            }
        } else if (!input.firstPress.isEmpty() && beginsWith(press, input.firstPress)) {
            found.push_back({source, true, input.firstPress});
        }
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        const RotaryKey& key = rotaryKeys_.at(static_cast<std::size_t>(k));
        if (key.KeyValue != 0 && sendsKey(press, key.KeyValue, key.KeyOperator)) {
            found.push_back({{ActionSource::Kind::RotaryKey, k}, false, {}});
        }
    }
    return found;
}

std::vector<MacroStep> ActivationMatcher::stepsAfter(int input, const ControlAction& press) const {
    const InputMacro& macro = inputs_.at(static_cast<std::size_t>(input)).played;
    const int length = sequenceLength(macro, Activation);
    for (int n = 0; n < length; ++n) {
        if (stepMatches(macro.step(n, Activation), press.control)) {
            return withoutDelays(macro, n + 1);
        }
    }
    return {};
}

std::vector<MacroStep> ActivationMatcher::repeatedSteps(int input) const {
    const InputMacro& macro = inputs_.at(static_cast<std::size_t>(input)).played;
    return macro.RepeatDelay == 0 ? std::vector<MacroStep>{} : withoutDelays(macro, 0);
}

} // namespace vantrel
