#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

enum class FindingKind : std::uint8_t {
    SameAction,              ///< two or more sources send the same single action
    SameFirstPress,          ///< a macro begins by pressing what another source presses
    StuckKey,                ///< a press that no later step releases
    UnreachableSteps,        ///< steps behind an empty step, never played
    RepeatWithoutActivation, ///< a repeat setting with nothing to repeat
    ReleaseWithoutPress,     ///< a deactivation release of something never pressed
    OverSizeLimit,           ///< more bytes than the device's input table holds
    NoRoomToEdit, ///< fits the device, but the editors' count refuses every new assignment
};

/// Where an action comes from: an input, or one direction of a rotary switch.
struct ActionSource {
    enum class Kind : std::uint8_t { Input, RotaryKey };
    Kind kind = Kind::Input;
    int index = 0; ///< input 0..107, or the RotaryKeys index 0..3

    friend bool operator==(const ActionSource&, const ActionSource&) = default;
    /// Inputs first, each kind in order of its index.
    friend bool operator<(const ActionSource& a, const ActionSource& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.index < b.index;
    }
};

/// A press that a layout shares between controls on purpose (a coin button
/// that also starts the game, a dial on the arrow keys): check counts the
/// note about it instead of showing it.
struct IntendedShare {
    FindingKind kind = FindingKind::SameAction;
    std::vector<ActionSource> sources; ///< in order, inputs first

    friend bool operator==(const IntendedShare&, const IntendedShare&) = default;
};

/// Names a cabinet builder gives the inputs and rotary switches ("P1 Button
/// 1", "Coin 2"). The device has no room for them: they live only in the
/// readable form of a configuration and in what is made from it. Empty means
/// no label.
struct ConfigurationLabels {
    std::array<std::string, InputCount> inputs{};
    std::array<std::string, RotarySwitchCount> rotarySwitches{};
    /// The shares of a press the layout means to have.
    std::vector<IntendedShare> intended;

    [[nodiscard]] const std::string& input(int index) const {
        return inputs.at(static_cast<std::size_t>(index));
    }
    [[nodiscard]] const std::string& rotarySwitch(int index) const {
        return rotarySwitches.at(static_cast<std::size_t>(index));
    }
};

} // namespace vantrel
