#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>
#include <vector>

namespace vantrel {

/// What differs between two configurations, one line each in words:
/// "Input 5: Single Key A -> Macro Sequence: ...", then the device settings
/// ("Rotary Switch 1 Divisor: 1 -> 2"). Inputs are compared by what the
/// device would keep of them, so two files that would write the same bytes
/// have no difference. Empty when the two are equal.
[[nodiscard]] std::vector<std::string> configurationDifferences(const Configuration& a,
                                                                const DeviceSettings& settingsA,
                                                                const Configuration& b,
                                                                const DeviceSettings& settingsB);

} // namespace vantrel
