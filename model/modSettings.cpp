#include "model/modSettings.h"

namespace vantrel {
namespace {

/// Appends steps of one sequence from its start, in order.
class SequenceWriter {
public:
    SequenceWriter(InputMacro& macro, int sequence)
        : macro_(macro)
        , sequence_(sequence) {}

    void add(std::uint8_t keyValue, bool press) {
        MacroStep& step = macro_.step(next_++, sequence_);
        step.KeyType = KeyTypeKeyboard;
        step.KeyValue = keyValue;
        step.PressRelease = press;
    }

private:
    InputMacro& macro_;
    int sequence_;
    int next_ = 0;
};

bool has(std::uint8_t keyOperator, KeyOperatorBit bit) {
    return (keyOperator & bit) != 0;
}

void writeKeyboardKey(std::uint8_t keyValue, std::uint8_t keyOperator, InputMacro& macro) {
    const bool ctrl = has(keyOperator, OperatorCtrl);
    const bool shift = has(keyOperator, OperatorShift);
    const bool alt = has(keyOperator, OperatorAlt);
    const bool repeat = has(keyOperator, OperatorKeyRepeat);

    SequenceWriter activation(macro, Activation);
    if (ctrl) {
        activation.add(KeyLeftCtrl, true);
    }
    if (shift) {
        activation.add(KeyLeftShift, true);
    }
    if (alt) {
        activation.add(KeyLeftAlt, true);
    }
    activation.add(keyValue, true);

    // Without Key Repeat the whole chord is one tap on activation; with it the
    // keys stay down until the input is released.
    SequenceWriter deactivation(macro, Deactivation);
    SequenceWriter& releases = repeat ? deactivation : activation;
    releases.add(keyValue, false);
    if (alt) {
        releases.add(KeyLeftAlt, false);
    }
    if (shift) {
        releases.add(KeyLeftShift, false);
    }
    if (ctrl) {
        releases.add(KeyLeftCtrl, false);
    }
}

bool isKeyboardRelease(const MacroStep& step, std::uint8_t keyValue) {
    return step.KeyType == KeyTypeKeyboard && !step.PressRelease && step.KeyValue == keyValue;
}

} // namespace

void clearMacro(InputMacro& macro) {
    // Filled in place: assigning a whole temporary record costs several
    // times more, and the decoder clears all 108 records every time.
    for (auto& sequence : macro.Steps) {
        sequence.fill(MacroStep{});
    }
    macro.RepeatDelay = 0;
}

bool macrosEqual(const InputMacro& a, const InputMacro& b) {
    return a == b;
}

void encodeSingleKey(std::uint8_t keyType, std::uint8_t keyValue, std::uint8_t keyOperator,
                     InputMacro& macro) {
    clearMacro(macro);
    if (keyType == KeyTypeMouse || keyType == KeyTypeJoystick) {
        macro.step(0, Activation) = MacroStep{keyType, keyValue, true};
        macro.step(0, Deactivation) = MacroStep{keyType, keyValue, false};
        return;
    }
    if (keyType != KeyTypeKeyboard || keyValue == 0) {
        return;
    }
    writeKeyboardKey(keyValue, keyOperator, macro);
}

SingleKey decodeSingleKey(const InputMacro& macro) {
    const MacroStep& first = macro.step(0, Activation);
    if (first.KeyType == KeyTypeMouse || first.KeyType == KeyTypeJoystick) {
        return {first.KeyType, first.KeyValue, 0};
    }

    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    std::uint8_t key = 0;
    std::uint8_t lastModifier = 0;
    // The whole sequence is scanned, past any empty step, so that a macro read
    // in single-key mode still shows the key it presses.
    for (const MacroStep& step : macro.Steps[Activation]) {
        if (step.KeyType != KeyTypeKeyboard || !step.PressRelease) {
            continue;
        }
        switch (step.KeyValue) {
        case KeyLeftCtrl:
            ctrl = true;
            lastModifier = KeyLeftCtrl;
            break;
        case KeyLeftShift:
            shift = true;
            lastModifier = KeyLeftShift;
            break;
        case KeyLeftAlt:
            alt = true;
            lastModifier = KeyLeftAlt;
            break;
        default:
            if (key == 0) {
                key = step.KeyValue;
            }
        }
    }

    // A modifier pressed on its own is the key itself, not a modifier of it.
    if (key == 0) {
        key = lastModifier;
        ctrl = ctrl && key != KeyLeftCtrl;
        shift = shift && key != KeyLeftShift;
        alt = alt && key != KeyLeftAlt;
    }

    bool repeat = false;
    if (key != 0) {
        for (const MacroStep& step : macro.Steps[Deactivation]) {
            repeat = repeat || isKeyboardRelease(step, key);
        }
    }

    const auto bit = [](bool set, KeyOperatorBit value) {
        return set ? static_cast<int>(value) : 0;
    };
    const auto keyOperator =
        static_cast<std::uint8_t>(bit(ctrl, OperatorCtrl) | bit(shift, OperatorShift) |
                                  bit(alt, OperatorAlt) | bit(repeat, OperatorKeyRepeat));
    return {KeyTypeKeyboard, key, keyOperator};
}

bool isSingleKeyAssignment(const InputMacro& macro) {
    const SingleKey single = decodeSingleKey(macro);
    InputMacro reencoded;
    encodeSingleKey(single.KeyType, single.KeyValue, single.KeyOperator, reencoded);
    return macrosEqual(macro, reencoded);
}

std::int32_t configurationSize(const Configuration& config) {
    std::int32_t total = 0;
    for (const InputMacro& macro : config.InputMacros) {
        std::int32_t steps = 0;
        for (const auto& sequence : macro.Steps) {
            for (const MacroStep& step : sequence) {
                steps += step.isEmpty() ? 0 : 1;
            }
        }
        total += 2 * (steps == 0 ? 1 : steps);
    }
    return total;
}

void clearAssignments(Configuration& config) {
    for (InputMacro& macro : config.InputMacros) {
        clearMacro(macro);
    }
    config.RotaryKeys.fill(RotaryKey{});
}

} // namespace vantrel
