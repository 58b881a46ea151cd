#pragma once

#include <string>

// The JSON form told by the tool itself, so that a newcomer can write a
// layout without the README at hand.
namespace vantrel::cli {

/// Every field of the JSON form with its values, and a short example; what
/// "help format" prints and the manual page carries.
[[nodiscard]] std::string formatHelpText();

} // namespace vantrel::cli
