#pragma once

#include "layouts/LayoutBuilder.h"

#include <string_view>

// MAME's controller configuration files and its default.cfg: a <mameconfig>
// of <system> elements, whose <input> holds <port> elements with their
// sequences and <remap> elements that put one key in place of another in
// MAME's defaults.
namespace vantrel {

/// The binds of the system "default", which every game takes: each port's
/// standard sequence by its type ("P1_BUTTON1"), an analog port's others by
/// type and sequence ("P1_PADDLE increment"). A setting for one game or
/// source file, or for one input of a game (a port with a tag), is noted.
[[nodiscard]] FileBindsRead readMameBinds(std::string_view text);

} // namespace vantrel
