#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>

namespace vantrel {

/// The configuration as the main window would show it after opening it: one
/// line per input with its label, mode and button text in aligned columns,
/// then every device setting, then the size against the limit.
[[nodiscard]] std::string showConfiguration(const Configuration& config,
                                            const DeviceSettings& settings);

} // namespace vantrel
