#pragma once

#include "monitor/EventDecoder.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

// Groups one device's presses into activations as a person sees them: a key
// pressed while modifier keys are held is one action with those modifiers;
// a modifier key pressed and released alone is an action of its own.
namespace vantrel {

struct ControlAction {
    ControlEvent control;
    /// Usage IDs of the modifier keys held when it was pressed, in usage
    /// order.
    std::vector<std::uint8_t> modifiers;
    /// The modifier that was pressed first, when any was held: a macro that
    /// sends this action begins by pressing it.
    std::uint8_t firstModifier = 0;

    /// Ctrl, Shift and Alt as a single key's KeyOperator holds them, from the
    /// left modifier keys that such a key presses.
    [[nodiscard]] std::uint8_t keyOperator() const;
    /// True when a modifier other than left Ctrl, Shift and Alt was held,
    /// which no single key can send.
    [[nodiscard]] bool hasOtherModifiers() const;
};

class ActivationTracker {
public:
    /// The activations (presses and releases) this event completes, in order.
    [[nodiscard]] std::vector<ControlAction> track(const ControlEvent& control);

private:
    struct HeldModifier {
        std::uint8_t usage = 0;
        bool usedWithAKey = false;
        ControlAction alone;
    };

    [[nodiscard]] ControlAction withHeldModifiers(const ControlEvent& control) const;
    [[nodiscard]] std::vector<ControlAction> trackModifier(const ControlEvent& control);

    std::vector<HeldModifier> held_; ///< in the order they were pressed
    std::map<ControlIdentity, ControlAction> pressed_;
};

/// True when the event is a modifier key (usage 224 to 231).
[[nodiscard]] bool isModifierKey(const ControlEvent& control);

} // namespace vantrel
