#include "monitor/ActivationMatcher.h"

#include "model/EffectiveMacro.h"
#include "model/MacroDelay.h"
#include "model/MacroStart.h"

#include <algorithm>

namespace vantrel {
namespace {

bool sends(const ControlAction& press, std::uint8_t keyType, std::uint8_t keyValue) {
    return press.control.keyType == keyType &&
           std::ranges::find(press.control.values, keyValue) != press.control.values.end();
}

bool sendsKey(const ControlAction& press, std::uint8_t keyValue, std::uint8_t keyOperator) {
    return sends(press, KeyTypeKeyboard, keyValue) && !press.hasOtherModifiers() &&
           (keyOperator & ModifierBits) == press.keyOperator();
}

// A macro that begins by pressing what made this activation: its first
// press for a press of its own, the chord's keys in any order for a chord.
bool beginsWith(const ControlAction& press, const InputMacro& played, const MacroStep& first) {
    if (press.events.size() <= 1) {
        return sends(press, first.KeyType, first.KeyValue);
    }
    std::vector<Press> presses;
    for (const ControlEvent& event : press.events) {
        presses.push_back(
            {event.keyType, event.values.empty() ? std::uint8_t{0} : event.values.front()});
    }
    return macroStartsWith(played, presses);
}

constexpr std::int64_t MicrosecondsPerMillisecond = 1000;
constexpr std::int64_t RepeatPauseUnitMicroseconds = 500'000;

std::vector<PlayedStep> playedSteps(const InputMacro& macro, int from, std::int64_t pause) {
    std::vector<PlayedStep> steps;
    std::int64_t delay = pause;
    const int length = sequenceLength(macro, Activation);
    for (int n = from; n < length; ++n) {
        const MacroStep& step = macro.step(n, Activation);
        if (step.KeyType == KeyTypeDelay) {
            delay += std::int64_t{delayMs(step.KeyValue)} * MicrosecondsPerMillisecond;
        } else {
            steps.push_back({step, delay});
            delay = 0;
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
        } else if (!input.firstPress.isEmpty() &&
                   beginsWith(press, input.played, input.firstPress)) {
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

bool ActivationMatcher::sendsChord(const ControlAction& press) const {
    const bool byInput = std::ranges::any_of(inputs_, [&press](const Input& input) {
        return input.sendsSomething && input.single && input.key.KeyType == KeyTypeKeyboard &&
               sendsKey(press, input.key.KeyValue, input.key.KeyOperator);
    });
    return byInput || std::ranges::any_of(rotaryKeys_, [&press](const RotaryKey& key) {
               return key.KeyValue != 0 && sendsKey(press, key.KeyValue, key.KeyOperator);
           });
}

std::vector<PlayedStep> ActivationMatcher::stepsAfter(int input, const ControlAction& press) const {
    const InputMacro& macro = inputs_.at(static_cast<std::size_t>(input)).played;
    const int length = sequenceLength(macro, Activation);
    for (int n = 0; n < length; ++n) {
        if (stepMatches(macro.step(n, Activation), press.control)) {
            return playedSteps(macro, n + 1, 0);
        }
    }
    return {};
}

std::vector<PlayedStep> ActivationMatcher::repeatedSteps(int input) const {
    const InputMacro& macro = inputs_.at(static_cast<std::size_t>(input)).played;
    if (macro.RepeatDelay == 0) {
        return {};
    }
    return playedSteps(macro, 0, (macro.RepeatDelay - 1) * RepeatPauseUnitMicroseconds);
}

} // namespace vantrel
