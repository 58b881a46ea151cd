#pragma once

#include "model/ConfigurationLabels.h"

#include <string>
#include <string_view>

// How every front end and report names the inputs and rotary switches, so
// that the main window, the reports, check and the monitor cannot drift
// apart.
namespace vantrel {

/// "Input 5" for input index 4, as the main window labels its row.
[[nodiscard]] std::string inputName(int index);

/// "Rotary Switch 2" for rotary switch index 1.
[[nodiscard]] std::string rotarySwitchName(int rotarySwitch);

/// "clockwise" for the odd rotary keys, "counterclockwise" for the even.
[[nodiscard]] std::string_view rotaryDirection(int rotaryKey);

/// A name with the label the cabinet builder gave it, "Input 5 (P1 Button
/// 1)"; the name alone where there is no label.
[[nodiscard]] std::string withLabel(const std::string& name, const std::string& label);

/// An input or one direction of a rotary switch, with its label: "Input 5
/// (P1 Button 1)", "Rotary Switch 2 (P2 Dial) clockwise".
[[nodiscard]] std::string sourceName(const ActionSource& source, const ConfigurationLabels& labels);

} // namespace vantrel
