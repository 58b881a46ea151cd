#pragma once

#include "layouts/BindValue.h"

#include <string_view>

// An input sequence as MAME's configuration files write it:
// "KEYCODE_TAB OR KEYCODE_1 KEYCODE_5" is Tab, or 1 and 5 held together.
namespace vantrel {

/// The sequence's alternatives. NOT and the input after it are left out
/// (the encoder presses nothing it is told to keep up); NONE is no input.
[[nodiscard]] BindValue mameSequence(std::string_view text);

} // namespace vantrel
