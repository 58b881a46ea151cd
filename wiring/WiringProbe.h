#pragma once

#include "model/modSettings.h"

#include <cstdint>

// The configuration a wiring session writes while it learns the panel: every
// input and rotary-switch direction sends something of its own, so that a
// press names the input it came from. It is always the same, so a device
// left holding it (a session killed where it could not restore the backup)
// is recognised by its content alone.
//
// Inputs 1 to 64 press joystick buttons 1 to 64: no program takes a
// joystick button for typing. The other 44 inputs and the four rotary
// directions press F13 to F24, first alone, then with Shift, with Ctrl and
// with Alt (inputs 65 to 76, 77 to 88, 89 to 100, 101 to 108 and the rotary
// directions on Alt+F21 to Alt+F24): keys that type no character, which no
// keyboard of a desktop has, and never Enter, Esc, a letter or a digit. The
// session takes the encoder's event devices from the desktop, so these reach
// no other program while it runs; some desktops give F20 to F23 to the
// microphone or the touchpad, which only a panel left holding the probe
// could reach.
namespace vantrel {

/// The first usage of the keys the probe sends, F13, and how many it uses
/// with each modifier state (F13 to F24).
constexpr std::uint8_t ProbeFirstKey = 0x68;
constexpr int ProbeKeysPerModifier = 12;

/// The probe configuration.
[[nodiscard]] const Configuration& wiringProbe();

/// True when the configuration's inputs and rotary keys are the probe's
/// (its device settings may be anything).
[[nodiscard]] bool isWiringProbe(const Configuration& config);

} // namespace vantrel
