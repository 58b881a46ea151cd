#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <array>
#include <string>

namespace vantrel {

/// Names a cabinet builder gives the inputs and rotary switches ("P1 Button
/// 1", "Coin 2"). The device has no room for them: they live only in the
/// readable form of a configuration and in what is made from it. Empty means
/// no label.
struct ConfigurationLabels {
    std::array<std::string, InputCount> inputs{};
    std::array<std::string, RotarySwitchCount> rotarySwitches{};

    [[nodiscard]] const std::string& input(int index) const {
        return inputs.at(static_cast<std::size_t>(index));
    }
    [[nodiscard]] const std::string& rotarySwitch(int index) const {
        return rotarySwitches.at(static_cast<std::size_t>(index));
    }
};

} // namespace vantrel
