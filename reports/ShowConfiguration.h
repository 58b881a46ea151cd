#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>

namespace vantrel {

/// The configuration as the main window would show it after opening it: one
/// line per input with its label, mode and button text in aligned columns,
/// then every device setting, then the size against the limit. An input the
/// file labels is named with its label, "Input 1 (P1 Up)", as check names it.
[[nodiscard]] std::string showConfiguration(const Configuration& config,
                                            const DeviceSettings& settings,
                                            const ConfigurationLabels& labels = {});

} // namespace vantrel
