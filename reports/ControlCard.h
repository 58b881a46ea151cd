#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>

// The printable card a cabinet builder pins inside the cabinet: which
// control does what.
namespace vantrel {

/// One self-contained HTML page (inline style, no scripts, nothing fetched
/// from elsewhere) that prints on one A4 or Letter page for a full cabinet:
/// every input that sends something with its label and action (macros step
/// by step), the device settings, and at the bottom the findings of check
/// and the size. `title` names the configuration in the heading.
[[nodiscard]] std::string controlCard(const Configuration& config, const DeviceSettings& settings,
                                      const ConfigurationLabels& labels, const std::string& title);

} // namespace vantrel
