#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"

#include <array>
#include <string_view>

// A layout to start from, so that nobody has to write the JSON form from
// nothing.
namespace vantrel::cli {

/// What --layout names: the blank layout, then the examples.
constexpr std::array<std::string_view, 4> LayoutNames = {"blank", "two-player", "retroarch",
                                                         "pinball"};

/// Writes the layout --layout names (blank when not given), or the one
/// --from takes from a front end's FILE, to -o FILE, which must not exist
/// yet, or to standard output for "-".
int newCommand(const Invocation& invocation, const Console& console,
               const DeviceBackendFactory& devices);

} // namespace vantrel::cli
