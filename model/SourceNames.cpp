#include "model/SourceNames.h"

namespace vantrel {

std::string inputName(int index) {
    return "Input " + std::to_string(index + 1);
}

std::string rotarySwitchName(int rotarySwitch) {
    return "Rotary Switch " + std::to_string(rotarySwitch + 1);
}

std::string_view rotaryDirection(int rotaryKey) {
    return rotaryKey % 2 == 1 ? "clockwise" : "counterclockwise";
}

std::string withLabel(const std::string& name, const std::string& label) {
    return label.empty() ? name : name + " (" + label + ")";
}

std::string sourceName(const ActionSource& source, const ConfigurationLabels& labels) {
    const int index = source.index;
    if (source.kind == ActionSource::Kind::Input) {
        return withLabel(inputName(index), labels.input(index));
    }
    const int rotarySwitch = index / 2;
    return withLabel(rotarySwitchName(rotarySwitch), labels.rotarySwitch(rotarySwitch)) + " " +
           std::string(rotaryDirection(index));
}

} // namespace vantrel
