#pragma once

#include "model/modSettings.h"

#include <vector>

// How a macro begins, as the computer sees it: what it presses first. A
// single action that presses the same cannot be told from the macro by what
// arrives, and neither can a game.
namespace vantrel {

/// A press of one key, mouse button or joystick action: what a step presses.
struct Press {
    std::uint8_t keyType = KeyTypeKeyboard;
    std::uint8_t keyValue = 0;

    friend bool operator==(const Press&, const Press&) = default;
};

/// The first press step of a played macro; an empty step when it presses
/// nothing. Delays, and releases of what was never pressed, come first in
/// some macros and are not seen.
[[nodiscard]] MacroStep firstPressStep(const InputMacro& played);

/// True when the played macro begins by pressing exactly these, in any
/// order, before it releases anything (delays between them aside).
[[nodiscard]] bool macroStartsWith(const InputMacro& played, std::vector<Press> presses);

/// What a single key presses: its left Ctrl, Shift and Alt keys, then the
/// key; a mouse or joystick action presses itself.
[[nodiscard]] std::vector<Press> pressesOf(const SingleKey& action);

} // namespace vantrel
