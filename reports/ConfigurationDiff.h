#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>
#include <vector>

namespace vantrel {

/// One difference, in words and in the JSON form's terms.
struct Difference {
    std::string label;    ///< "Input 5", "Rotary Switch 1 Divisor"
    int input = 0;        ///< 1 to 108 for an input, else 0
    int rotarySwitch = 0; ///< 1 or 2 for a rotary switch's setting, else 0
    std::string field;    ///< "single", "macro", "label", "divisor", "trackball.reverseX"
    std::string before;
    std::string after;

    /// "Input 5: Single Key A -> Single Key B"
    [[nodiscard]] std::string line() const;
};

/// Every difference, labels too when `labelsA` and `labelsB` are given: the
/// inputs in order (label first), then the device settings.
[[nodiscard]] std::vector<Difference>
configurationChanges(const Configuration& a, const DeviceSettings& settingsA,
                     const Configuration& b, const DeviceSettings& settingsB,
                     const ConfigurationLabels* labelsA = nullptr,
                     const ConfigurationLabels* labelsB = nullptr);

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
