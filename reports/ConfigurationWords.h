#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>
#include <vector>

// Configurations told in words, for people reading a terminal: what each
// input does and what every device setting is set to.
namespace vantrel {

/// "Single Key" or "Macro Sequence": how the main window shows the input
/// after opening the configuration.
[[nodiscard]] std::string rowMode(const InputMacro& macro);

/// The text of the input's button in the main window, in the row's mode.
[[nodiscard]] std::string buttonText(const InputMacro& macro);

/// The button text with what the button leaves out: Key Repeat of a single
/// key ("A with Key Repeat"), the repeat setting of a macro ("(A, B); Repeat
/// with 0.5 sec delay").
[[nodiscard]] std::string rowInWords(const InputMacro& macro);

/// Everything the input does, for telling two inputs apart: a single
/// assignment by its button text (with Key Repeat, which the button does not
/// show), a macro step by step with its repeat setting.
[[nodiscard]] std::string inputInWords(const InputMacro& macro);

/// One macro step: "press A", "release Right Click", "wait 500 ms".
[[nodiscard]] std::string stepInWords(const MacroStep& step);

/// One device setting: the label the windows give it and its value.
struct SettingItem {
    std::string label;
    std::string value;
    int rotarySwitch = 0;   ///< 1 or 2 for a rotary switch's setting, else 0
    std::string field = {}; ///< the JSON form's name: "clockwise", "trackball.reverseX"
};

/// Every setting outside the inputs, always in the same order: for each
/// rotary switch its keys and lists, then trackball, spinner and joystick
/// axes.
[[nodiscard]] std::vector<SettingItem> settingItems(const Configuration& config,
                                                    const DeviceSettings& settings);

} // namespace vantrel
