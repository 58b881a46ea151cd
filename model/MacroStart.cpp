#include "model/MacroStart.h"

#include "model/EffectiveMacro.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vantrel {

MacroStep firstPressStep(const InputMacro& played) {
    const int length = sequenceLength(played, Activation);
    for (int n = 0; n < length; ++n) {
        const MacroStep& step = played.step(n, Activation);
        if (step.KeyType != KeyTypeDelay && step.PressRelease) {
            return step;
        }
    }
    return {};
}

bool macroStartsWith(const InputMacro& played, std::vector<Press> presses) {
    std::vector<Press> pressed;
    const int length = sequenceLength(played, Activation);
    for (int n = 0; n < length && pressed.size() < presses.size(); ++n) {
        const MacroStep& step = played.step(n, Activation);
        if (step.KeyType == KeyTypeDelay) {
            continue;
        }
        if (!step.PressRelease) {
            if (!pressed.empty()) {
                return false;
            }
            continue;
        }
        pressed.push_back({step.KeyType, step.KeyValue});
    }
    const auto order = [](const Press& press) {
        return std::pair(press.keyType, press.keyValue);
    };
    std::ranges::sort(pressed, {}, order);
    std::ranges::sort(presses, {}, order);
    return !presses.empty() && pressed == presses;
}

std::vector<Press> pressesOf(const SingleKey& action) {
    if (action.KeyType != KeyTypeKeyboard) {
        return {{action.KeyType, action.KeyValue}};
    }
    constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 3> modifiers = {{
        {OperatorCtrl, KeyLeftCtrl},
        {OperatorShift, KeyLeftShift},
        {OperatorAlt, KeyLeftAlt},
    }};
    std::vector<Press> presses;
    for (const auto& [bit, key] : modifiers) {
        if ((action.KeyOperator & bit) != 0) {
            presses.push_back({KeyTypeKeyboard, key});
        }
    }
    presses.push_back({KeyTypeKeyboard, action.KeyValue});
    return presses;
}

} // namespace vantrel
