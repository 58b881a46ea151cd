#pragma once

#include "model/ConfigurationLabels.h"
#include "monitor/ActivationTracker.h"
#include "monitor/Monitor.h"
#include "monitor/SeenControls.h"

#include <string>
#include <vector>

// The monitor's reports as lines: plain text for people, JSON for scripts.
namespace vantrel {

/// What arrived, in the names the windows use, with the modifiers held
/// first: "Ctrl+Shift+A", "Right Click", "Hat1 NE". A key the encoder cannot
/// send is named as well as the kernel allows ("F13", "key usage 0x74").
[[nodiscard]] std::string actionName(const ControlAction& activation);

/// One line: "Input 17 (P1 Button 1): Ctrl+A",
/// "not in the configuration: F13", "motion on DEVICE: X +12, Y -3". When
/// several encoders are read, `encoder` names the one it came from and
/// begins the line ("usb:1-4.1: Input 5: Left Ctrl"); empty otherwise.
[[nodiscard]] std::string reportText(const MonitorReport& report, const std::string& device,
                                     const ConfigurationLabels& labels,
                                     const std::string& encoder = {});

/// The same as one JSON object on one line, the encoder as "encoder".
[[nodiscard]] std::string reportJson(const MonitorReport& report, const std::string& device,
                                     const ConfigurationLabels& labels,
                                     const std::string& encoder = {});

/// What was never pressed, as the monitor's last lines: "Seen 31 of 33 used
/// inputs; not seen: Input 12 (Coin 1), Input 24 (Coin 2)", then a line for
/// each press not told apart: "not told apart: Input 3 (P1 Left) or Rotary
/// Switch 1 (P1 Dial) counterclockwise: both send Left Arrow; press it
/// again, or see vantrelctl check".
[[nodiscard]] std::vector<std::string> summaryText(const SeenSummary& summary,
                                                   const ConfigurationLabels& labels,
                                                   const std::string& encoder = {});

/// The same as one JSON object: {"event":"summary","seen":31,"used":33,
/// "notSeen":[{"input":12,"label":"Coin 1"},...],"notToldApart":[{"action":
/// "Left Arrow","controls":[{"input":3,...},{"rotarySwitch":1,...}]}]}.
[[nodiscard]] std::string summaryJson(const SeenSummary& summary, const ConfigurationLabels& labels,
                                      const std::string& encoder = {});

} // namespace vantrel
