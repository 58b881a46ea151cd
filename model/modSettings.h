#pragma once

#include <array>
#include <cstdint>
#include <string>

// The in-memory configuration: one record per input, the rotary keys, and the
// rule by which a single key, mouse or joystick assignment is stored as a
// short macro and recognised again.
namespace vantrel {

/// What a step does: the meaning of its KeyValue follows from it.
enum KeyTypeCode : std::uint8_t {
    KeyTypeKeyboard = 0,
    KeyTypeMouse = 1,
    KeyTypeJoystick = 2,
    KeyTypeDelay = 3,
};

/// Bits of a KeyOperator.
enum KeyOperatorBit : std::uint8_t {
    OperatorCtrl = 1,
    OperatorShift = 2,
    OperatorAlt = 4,
    OperatorKeyRepeat = 8,
};
/// The bits that press a modifier with the key, without the repeat.
constexpr std::uint8_t ModifierBits = OperatorCtrl | OperatorShift | OperatorAlt;

/// Usage IDs of the left modifier keys that a single key's modifier bits press.
enum ModifierKeyCode : std::uint8_t {
    KeyLeftCtrl = 224,
    KeyLeftShift = 225,
    KeyLeftAlt = 226,
};

constexpr int InputCount = 108;
constexpr int RotaryKeyCount = 4;
constexpr int StepsPerSequence = 64;
constexpr int SequenceCount = 2;
constexpr int Activation = 0;
constexpr int Deactivation = 1;
constexpr int MaxRepeatDelay = 7;

/// Bytes available to the input table of the device image.
constexpr std::int32_t MaxConfigSize = 4032;

/// One step of a sequence. A step is empty when both KeyType and KeyValue are
/// 0, whatever its PressRelease.
struct MacroStep {
    std::uint8_t KeyType = KeyTypeKeyboard;
    std::uint8_t KeyValue = 0;
    bool PressRelease = true; ///< true presses, false releases

    [[nodiscard]] bool isEmpty() const { return KeyType == 0 && KeyValue == 0; }
    friend bool operator==(const MacroStep&, const MacroStep&) = default;
};

/// One input's assignment: an activation and a deactivation sequence of 64
/// steps each, and whether the activation sequence repeats. A sequence runs
/// from step 0 up to its first empty step. A default-constructed record is a
/// cleared one ("Not Used").
struct InputMacro {
    std::array<std::array<MacroStep, StepsPerSequence>, SequenceCount> Steps{};
    /// 0 = no repeat; k = 1..7 = repeat with the k-th choice of the repeat list.
    std::uint8_t RepeatDelay = 0;

    /// Step n (0..63) of sequence s (Activation or Deactivation).
    [[nodiscard]] MacroStep& step(int n, int s) {
        return Steps[static_cast<std::size_t>(s)][static_cast<std::size_t>(n)];
    }
    [[nodiscard]] const MacroStep& step(int n, int s) const {
        return Steps[static_cast<std::size_t>(s)][static_cast<std::size_t>(n)];
    }

    friend bool operator==(const InputMacro&, const InputMacro&) = default;
};

/// The key sent for one direction of a rotary switch.
struct RotaryKey {
    std::uint8_t KeyValue = 0;    ///< usage ID; 0 = "Not Used"
    std::uint8_t KeyOperator = 0; ///< KeyOperatorBit flags; 0 whenever KeyValue is 0

    friend bool operator==(const RotaryKey&, const RotaryKey&) = default;
};

/// Index of RotaryKeys for switch (0 or 1) and direction.
constexpr int rotaryKeyIndex(int rotarySwitch, bool clockwise) {
    return 2 * rotarySwitch + (clockwise ? 1 : 0);
}

/// The whole configuration that the windows share: one instance per run,
/// passed by reference to everything that reads or changes it.
struct Configuration {
    std::array<InputMacro, InputCount> InputMacros{};
    /// 0/1 = switch 1 counterclockwise/clockwise, 2/3 = switch 2.
    std::array<RotaryKey, RotaryKeyCount> RotaryKeys{};
    /// The configuration differs from what was last saved or opened.
    bool ConfigChanged = false;
    /// Path of the file last saved or opened; empty until then.
    std::string ConfigFileName;

    [[nodiscard]] InputMacro& input(int index) {
        return InputMacros[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] const InputMacro& input(int index) const {
        return InputMacros[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] RotaryKey& rotaryKey(int index) {
        return RotaryKeys[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] const RotaryKey& rotaryKey(int index) const {
        return RotaryKeys[static_cast<std::size_t>(index)];
    }
};

/// A single assignment as the assignment dialog deals in it.
struct SingleKey {
    std::uint8_t KeyType = KeyTypeKeyboard;
    std::uint8_t KeyValue = 0;
    std::uint8_t KeyOperator = 0;

    friend bool operator==(const SingleKey&, const SingleKey&) = default;
};

/// Resets every step to an empty press and the repeat setting to 0.
void clearMacro(InputMacro& macro);

/// True when every step field of both sequences and RepeatDelay are equal.
[[nodiscard]] bool macrosEqual(const InputMacro& a, const InputMacro& b);

/// Replaces the record with the short macro that stands for one key (with
/// its modifier presses and releases), mouse action or joystick action.
void encodeSingleKey(std::uint8_t keyType, std::uint8_t keyValue, std::uint8_t keyOperator,
                     InputMacro& macro);

/// Reads a record back as a single assignment. Exact for every record that
/// encodeSingleKey makes, except a modifier key combined with its own flag.
[[nodiscard]] SingleKey decodeSingleKey(const InputMacro& macro);

/// True when the record is exactly what encodeSingleKey would make of its
/// own decoding: such a row shows as "Single Key", any other as a macro.
[[nodiscard]] bool isSingleKeyAssignment(const InputMacro& macro);

/// Upper bound of the encoded input table in bytes: two per non-empty step
/// position (gaps included), and two for an input without any step.
[[nodiscard]] std::int32_t configurationSize(const Configuration& config);

/// Clears all records and rotary keys; ConfigChanged and ConfigFileName stay.
void clearAssignments(Configuration& config);

} // namespace vantrel
