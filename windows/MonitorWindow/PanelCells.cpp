#include "windows/MonitorWindow/PanelCells.h"

#include "model/describeMacro.h"

namespace vantrel {
namespace {

std::string directionOf(int rotaryKey) {
    return rotaryKey % 2 == 1 ? "clockwise" : "counterclockwise";
}

} // namespace

std::string PanelCell::byLabel() const {
    if (label.empty()) {
        return name;
    }
    return source.kind == ActionSource::Kind::RotaryKey ? label + " " + directionOf(source.index)
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
            const std::string title = "Input " + std::to_string(i + 1);
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
            const std::string number = std::to_string(rotarySwitch + 1);
            const std::string numbered = number + " " + directionOf(k);
            cells.push_back({{ActionSource::Kind::RotaryKey, k},
                             "Rotary " + numbered,
                             "Rotary Switch " + numbered,
                             labels.rotarySwitch(rotarySwitch),
                             describeRotaryKey(config.rotaryKey(k))});
        }
    }
    return cells;
}

} // namespace vantrel
