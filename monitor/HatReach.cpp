#include "monitor/HatReach.h"

#include "keytext/JoystickCodes.h"
#include "model/EffectiveMacro.h"
#include "monitor/EventCodes.h"

#include <algorithm>

namespace vantrel {

bool sendsHat(const Configuration& config, int hat) {
    return std::ranges::any_of(config.InputMacros, [hat](const InputMacro& recorded) {
        const InputMacro macro = effectiveMacro(recorded);
        for (int s = 0; s < SequenceCount; ++s) {
            for (int n = 0; n < sequenceLength(macro, s); ++n) {
                const MacroStep& step = macro.step(n, s);
                if (step.KeyType == KeyTypeJoystick &&
                    (step.KeyValue - FirstHatCode) / HatDirectionCount == hat &&
                    step.KeyValue >= FirstHatCode) {
                    return true;
                }
            }
        }
        return false;
    });
}

std::vector<int>
hatsNotReported(const Configuration& config,
                const std::vector<std::optional<std::vector<std::uint16_t>>>& deviceAxes) {
    std::vector<std::uint16_t> reported;
    for (const auto& axes : deviceAxes) {
        if (axes) {
            reported.insert(reported.end(), axes->begin(), axes->end());
        }
    }
    if (reported.empty()) {
        return {};
    }
    std::vector<int> missing;
    for (int hat = 0; hat < evdev::HatAxisPairs; ++hat) {
        const auto x = static_cast<std::uint16_t>(evdev::AbsHat0X + 2 * hat);
        if (sendsHat(config, hat) && std::ranges::find(reported, x) == reported.end()) {
            missing.push_back(hat);
        }
    }
    return missing;
}

} // namespace vantrel
