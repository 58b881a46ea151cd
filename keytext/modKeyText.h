#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Display names of everything an assignment can hold. Every window, the
// command-line tool and the descriptions use these texts, so a name shown in
// one place is the name shown everywhere.
namespace vantrel {

/// The name of every code that has none of its own.
constexpr std::string_view NotUsedName = "Not Used";

/// The name of a keyboard usage ID (HID usage page 0x07); "Not Used" for 0
/// and for every code the encoder cannot send.
std::string keyName(std::uint8_t keyValue);

/// The prefix for the Ctrl, Shift and Alt bits of a key operator, always in
/// that order and each followed by a space ("[ctrl] [alt] "). Key Repeat and
/// higher bits have no text.
std::string modifierText(std::uint8_t keyOperator);

/// "Left Click", "Right Click", "Middle Click", or "Not Used".
std::string mouseName(std::uint8_t keyValue);

/// "Button 1" .. "Button 64" for codes 0..63, "Hat1 N" .. "Hat4 NW" for
/// codes 64..95, "Not Used" above.
std::string joystickName(std::uint8_t keyValue);

} // namespace vantrel
