#include "reports/ConfigurationWords.h"

#include "keytext/modKeyText.h"
#include "model/CodeNames.h"
#include "model/EffectiveMacro.h"
#include "model/MacroDelay.h"
#include "model/SourceNames.h"
#include "model/describeMacro.h"

#include <array>

namespace vantrel {
namespace {

std::string withKeyRepeat(const std::string& text, std::uint8_t keyOperator) {
    return (keyOperator & OperatorKeyRepeat) != 0 ? text + " with Key Repeat" : text;
}

/// The display name, or for a code that shares "Not Used" with others its
/// number, so that no two different codes read alike.
std::string codeInWords(CodeKind kind, std::uint8_t code) {
    const CodeText text = codeText(kind, code);
    if (const auto* name = std::get_if<std::string>(&text)) {
        return *name;
    }
    return std::string(kindWord(kind)) + " code " + std::to_string(code);
}

std::string sequenceInWords(const InputMacro& macro, int sequence) {
    const int length = sequenceLength(macro, sequence);
    if (length == 0) {
        return "nothing";
    }
    std::string text;
    for (int n = 0; n < length; ++n) {
        text += (n == 0 ? "" : ", ") + stepInWords(macro.step(n, sequence));
    }
    return text;
}

std::string macroInWords(const InputMacro& macro) {
    const InputMacro kept = effectiveMacro(macro);
    std::string text = "Macro Sequence: on press " + sequenceInWords(kept, Activation) +
                       "; on release " + sequenceInWords(kept, Deactivation);
    if (kept.RepeatDelay != 0) {
        text += "; " + std::string(RepeatDelayEntries.at(kept.RepeatDelay - 1U));
    }
    return text;
}

std::string onOff(bool set) {
    return set ? "on" : "off";
}

std::string rotaryKeyInWords(const RotaryKey& key) {
    return withKeyRepeat(modifierText(key.KeyOperator) + codeInWords(CodeKind::Key, key.KeyValue),
                         key.KeyOperator);
}

std::string singleInWords(const InputMacro& macro) {
    const SingleKey single = decodeSingleKey(macro);
    const CodeKind kind = codeKindOf(single.KeyType);
    if (kind != CodeKind::Key) {
        return "Single Key " + codeInWords(kind, single.KeyValue);
    }
    return withKeyRepeat("Single Key " + modifierText(single.KeyOperator) +
                             codeInWords(kind, single.KeyValue),
                         single.KeyOperator);
}

void addRotarySwitch(std::vector<SettingItem>& items, int j, const Configuration& config,
                     const RotarySwitchSettings& lists) {
    const std::string name = rotarySwitchName(j) + " ";
    const int number = j + 1;
    items.push_back({name + "Counterclockwise Movement",
                     rotaryKeyInWords(config.rotaryKey(rotaryKeyIndex(j, false))), number,
                     "counterclockwise"});
    items.push_back({name + "Clockwise Movement",
                     rotaryKeyInWords(config.rotaryKey(rotaryKeyIndex(j, true))), number,
                     "clockwise"});
    items.push_back({name + "Maximum rate", std::string(MaximumRateEntries.at(lists.MaximumRate)),
                     number, "maximumRate"});
    items.push_back(
        {name + "Divisor", std::string(DivisorEntries.at(lists.Divisor)), number, "divisor"});
    items.push_back({name + "Buffer overflow",
                     std::string(BufferOverflowEntries.at(lists.BufferOverflow)), number,
                     "bufferOverflow"});
}

} // namespace

std::string stepInWords(const MacroStep& step) {
    if (step.KeyType == KeyTypeDelay) {
        return "wait " + std::to_string(delayMs(step.KeyValue)) + " ms" +
               (step.PressRelease ? "" : " (release)");
    }
    return (step.PressRelease ? "press " : "release ") +
           codeInWords(codeKindOf(step.KeyType), step.KeyValue);
}

std::string rowMode(const InputMacro& macro) {
    return isSingleKeyAssignment(macro) ? "Single Key" : "Macro Sequence";
}

std::string buttonText(const InputMacro& macro) {
    return describeMacro(isSingleKeyAssignment(macro), macro);
}

std::string rowInWords(const InputMacro& macro) {
    if (isSingleKeyAssignment(macro)) {
        const SingleKey single = decodeSingleKey(macro);
        return single.KeyType == KeyTypeKeyboard
                   ? withKeyRepeat(buttonText(macro), single.KeyOperator)
                   : buttonText(macro);
    }
    if (macro.RepeatDelay == 0) {
        return buttonText(macro);
    }
    return buttonText(macro) + "; " + std::string(RepeatDelayEntries.at(macro.RepeatDelay - 1U));
}

std::string inputInWords(const InputMacro& macro) {
    const InputMacro kept = effectiveMacro(macro);
    if (isNotUsed(kept)) {
        return keyName(0);
    }
    return isSingleKeyAssignment(kept) ? singleInWords(kept) : macroInWords(kept);
}

std::vector<SettingItem> settingItems(const Configuration& config, const DeviceSettings& settings) {
    std::vector<SettingItem> items;
    for (int j = 0; j < RotarySwitchCount; ++j) {
        addRotarySwitch(items, j, config, settings.Rotary.at(static_cast<std::size_t>(j)));
    }
    items.push_back(
        {"Trackball Reverse X Axis", onOff(settings.ReverseX), 0, "trackball.reverseX"});
    items.push_back(
        {"Trackball Reverse Y Axis", onOff(settings.ReverseY), 0, "trackball.reverseY"});
    items.push_back(
        {"Spinner", std::string(SpinnerOptionCaptions.at(settings.Spinner)), 0, "spinner.mode"});
    items.push_back({"Reverse Spinner", onOff(settings.ReverseSpinner), 0, "spinner.reverse"});
    constexpr std::array<std::string_view, JoystickAxisCount> Axes = {"x", "y", "z", "rx"};
    for (std::size_t k = 0; k < JoystickAxisCount; ++k) {
        items.push_back({std::string(JoystickAxisCaptions.at(k)), onOff(settings.Joystick.at(k)), 0,
                         "joystickAxes." + std::string(Axes.at(k))});
    }
    return items;
}

} // namespace vantrel
