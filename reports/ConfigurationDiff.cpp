#include "reports/ConfigurationDiff.h"

#include "model/EffectiveMacro.h"
#include "model/SourceNames.h"
#include "reports/ConfigurationWords.h"

namespace vantrel {
namespace {

/// The JSON form's field of an input's assignment: what both sides are,
/// both names when one side is a single key and the other a macro.
std::string assignmentField(const InputMacro& a, const InputMacro& b) {
    const auto form = [](const InputMacro& macro) {
        const InputMacro kept = effectiveMacro(macro);
        return isNotUsed(kept) || isSingleKeyAssignment(kept) ? "single" : "macro";
    };
    const std::string before = form(a);
    const std::string after = form(b);
    return before == after ? before : before + ", " + after;
}

std::string labelInWords(const std::string& label) {
    return label.empty() ? "no label" : "\"" + label + "\"";
}

} // namespace

std::string Difference::line() const {
    return label + ": " + before + " -> " + after;
}

std::vector<Difference>
configurationChanges(const Configuration& a, const DeviceSettings& settingsA,
                     const Configuration& b, const DeviceSettings& settingsB,
                     const ConfigurationLabels* labelsA, const ConfigurationLabels* labelsB) {
    std::vector<Difference> changes;
    for (int i = 0; i < InputCount; ++i) {
        if (labelsA && labelsB && labelsA->input(i) != labelsB->input(i)) {
            changes.push_back({inputName(i) + " label", i + 1, 0, "label",
                               labelInWords(labelsA->input(i)), labelInWords(labelsB->input(i))});
        }
        if (effectiveMacro(a.input(i)) != effectiveMacro(b.input(i))) {
            changes.push_back({inputName(i), i + 1, 0, assignmentField(a.input(i), b.input(i)),
                               inputInWords(a.input(i)), inputInWords(b.input(i))});
        }
    }
    for (int j = 0; labelsA && labelsB && j < RotarySwitchCount; ++j) {
        if (labelsA->rotarySwitch(j) != labelsB->rotarySwitch(j)) {
            changes.push_back({rotarySwitchName(j) + " label", 0, j + 1, "label",
                               labelInWords(labelsA->rotarySwitch(j)),
                               labelInWords(labelsB->rotarySwitch(j))});
        }
    }
    const std::vector<SettingItem> itemsA = settingItems(a, settingsA);
    const std::vector<SettingItem> itemsB = settingItems(b, settingsB);
    for (std::size_t k = 0; k < itemsA.size(); ++k) {
        if (itemsA[k].value != itemsB[k].value) {
            changes.push_back({itemsA[k].label, 0, itemsA[k].rotarySwitch, itemsA[k].field,
                               itemsA[k].value, itemsB[k].value});
        }
    }
    return changes;
}

std::vector<std::string> configurationDifferences(const Configuration& a,
                                                  const DeviceSettings& settingsA,
                                                  const Configuration& b,
                                                  const DeviceSettings& settingsB) {
    std::vector<std::string> lines;
    for (const Difference& difference : configurationChanges(a, settingsA, b, settingsB)) {
        lines.push_back(difference.line());
    }
    return lines;
}

} // namespace vantrel
