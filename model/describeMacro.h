#pragma once

#include "model/modSettings.h"

#include <string>

namespace vantrel {

/// The text an input's button shows. In single-key mode the record is
/// described by what decodeSingleKey makes of it; in macro mode by the names
/// of its first two listed steps, "..." when there are more, in parentheses.
[[nodiscard]] std::string describeMacro(bool singleKey, const InputMacro& macro);

/// The text of a rotary-switch button: modifier prefix and key name.
[[nodiscard]] std::string describeRotaryKey(const RotaryKey& key);

/// The name of one step as the descriptions and step lists show it: the key,
/// mouse or joystick name, or "Delay".
[[nodiscard]] std::string stepName(const MacroStep& step);

} // namespace vantrel
