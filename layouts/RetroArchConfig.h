#pragma once

#include "layouts/BindValue.h"
#include "layouts/LayoutBuilder.h"

#include <string_view>

// retroarch.cfg: one NAME = VALUE a line, the value quoted or not, and
// comment lines that start with "#".
namespace vantrel {

/// A keyboard bind's value: one key by RetroArch's name; "nul" or nothing
/// leaves the bind without a key.
[[nodiscard]] BindValue retroArchBindValue(std::string_view text);

/// The keyboard binds the file sets: every input_ setting but those of the
/// joypads and the mouse (_btn, _axis, _mbtn).
[[nodiscard]] FileBindsRead readRetroArchBinds(std::string_view text);

} // namespace vantrel
