#pragma once

#include "model/ConfigurationLabels.h"
#include "monitor/ActivationTracker.h"
#include "monitor/Monitor.h"

#include <string>

// The monitor's reports as lines: plain text for people, JSON for scripts.
namespace vantrel {

/// What arrived, in the names the windows use, with the modifiers held
/// first: "Ctrl+Shift+A", "Right Click", "Hat1 NE". A key the encoder cannot
/// send is named as well as the kernel allows ("F13", "key usage 0x74").
[[nodiscard]] std::string actionName(const ControlAction& activation);

/// One line: "Input 17 (P1 Button 1): Ctrl+A",
/// "not in the configuration: F13", "motion on DEVICE: X +12, Y -3".
[[nodiscard]] std::string reportText(const MonitorReport& report, const std::string& device,
                                     const ConfigurationLabels& labels);

/// The same as one JSON object on one line.
[[nodiscard]] std::string reportJson(const MonitorReport& report, const std::string& device,
                                     const ConfigurationLabels& labels);

} // namespace vantrel
