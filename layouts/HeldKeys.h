#pragma once

#include "layouts/FrontEndLayout.h"
#include "model/modSettings.h"

#include <vector>

// What an input sends for a control of a front end: its keys held down for
// as long as the control is, as a game expects of a joystick or a button.
namespace vantrel {

/// One key, or one key with the left Ctrl, Shift or Alt, is a single key
/// with Key Repeat; any other chord is a macro that presses each key in
/// order and releases them in reverse when the input is let go.
[[nodiscard]] InputMacro heldKeysAssignment(const std::vector<LayoutKey>& keys);

} // namespace vantrel
