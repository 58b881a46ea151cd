#include "model/describeMacro.h"

#include "keytext/modKeyText.h"

namespace vantrel {
namespace {

std::string describeSingleKey(const InputMacro& macro) {
    const SingleKey single = decodeSingleKey(macro);
    switch (single.KeyType) {
    case KeyTypeMouse:
        return mouseName(single.KeyValue);
    case KeyTypeJoystick:
        return joystickName(single.KeyValue);
    default:
        return modifierText(single.KeyOperator) + keyName(single.KeyValue);
    }
}

bool isListed(const MacroStep& step) {
    return step.KeyType != KeyTypeKeyboard || step.KeyValue != 0;
}

std::string describeSteps(const InputMacro& macro) {
    int count = 0;
    std::string text;
    // Every position is walked, gaps included, so the count matches what the
    // record holds rather than what the encoder would send.
    for (const auto& sequence : macro.Steps) {
        for (const MacroStep& step : sequence) {
            if (!isListed(step)) {
                continue;
            }
            if (count == 0) {
                text = stepName(step);
            } else if (count == 1) {
                text += ", " + stepName(step);
            } else if (count == 2) {
                text += ", ...";
            }
            ++count;
        }
    }
    return count == 0 ? keyName(0) : "(" + text + ")";
}

} // namespace

std::string stepName(const MacroStep& step) {
    switch (step.KeyType) {
    case KeyTypeMouse:
        return mouseName(step.KeyValue);
    case KeyTypeJoystick:
        return joystickName(step.KeyValue);
    case KeyTypeDelay:
        return "Delay";
    default:
        return keyName(step.KeyValue);
    }
}

std::string describeMacro(bool singleKey, const InputMacro& macro) {
    return singleKey ? describeSingleKey(macro) : describeSteps(macro);
}

std::string describeRotaryKey(const RotaryKey& key) {
    return modifierText(key.KeyOperator) + keyName(key.KeyValue);
}

} // namespace vantrel
