#include "windows/MonitorWindow/PanelCells.h"

#include "model/SourceNames.h"
#include "model/describeMacro.h"

namespace vantrel {

std::string PanelCell::byLabel() const {
    if (label.empty()) {
        return name;
    }
    return source.kind == ActionSource::Kind::RotaryKey
               ? label + " " + std::string(rotaryDirection(source.index))
               : label;
}

std::string PanelCell::spoken(int seenCount, bool maybe, bool held) const {
    std::string words = name + ", ";
    if (!label.empty()) {
        words += label + ", ";
    }
    words += assignment + ", ";
    if (seenCount > 0) {
        words += seenCount == 1 ? "seen once" : "seen " + std::to_string(seenCount) + " times";
    } else {
        words += maybe ? "maybe" : "not seen";
    }
    return held ? words + ", held" : words;
}

std::vector<PanelCell> inputCells(const Configuration& config, const ConfigurationLabels& labels,
                                  const SeenControls& controls) {
    std::vector<PanelCell> cells;
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro& input = config.input(i);
        if (controls.used({ActionSource::Kind::Input, i})) {
            const std::string title = inputName(i);
            cells.push_back({{ActionSource::Kind::Input, i},
                             title,
                             title,
                             labels.input(i),
                             describeMacro(isSingleKeyAssignment(input), input)});
        }
    }
    return cells;
}

std::vector<PanelCell> rotaryCells(const Configuration& config, const ConfigurationLabels& labels,
                                   const SeenControls& controls) {
    std::vector<PanelCell> cells;
    for (int k = 0; k < RotaryKeyCount; ++k) {
        if (controls.used({ActionSource::Kind::RotaryKey, k})) {
            const int rotarySwitch = k / 2;
            const std::string direction(rotaryDirection(k));
            cells.push_back({{ActionSource::Kind::RotaryKey, k},
                             "Rotary " + std::to_string(rotarySwitch + 1) + " " + direction,
                             rotarySwitchName(rotarySwitch) + " " + direction,
                             labels.rotarySwitch(rotarySwitch),
                             describeRotaryKey(config.rotaryKey(k))});
        }
    }
    return cells;
}

} // namespace vantrel
