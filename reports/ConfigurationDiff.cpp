#include "reports/ConfigurationDiff.h"

#include "model/EffectiveMacro.h"
#include "reports/ConfigurationWords.h"

namespace vantrel {
namespace {

std::string change(const std::string& label, const std::string& from, const std::string& to) {
    return label + ": " + from + " -> " + to;
}

} // namespace

std::vector<std::string> configurationDifferences(const Configuration& a,
                                                  const DeviceSettings& settingsA,
                                                  const Configuration& b,
                                                  const DeviceSettings& settingsB) {
    std::vector<std::string> lines;
    for (int i = 0; i < InputCount; ++i) {
        if (effectiveMacro(a.input(i)) != effectiveMacro(b.input(i))) {
            lines.push_back(
                change(inputLabel(i), inputInWords(a.input(i)), inputInWords(b.input(i))));
        }
    }
    const std::vector<SettingItem> itemsA = settingItems(a, settingsA);
    const std::vector<SettingItem> itemsB = settingItems(b, settingsB);
    for (std::size_t k = 0; k < itemsA.size(); ++k) {
        if (itemsA[k].value != itemsB[k].value) {
            lines.push_back(change(itemsA[k].label, itemsA[k].value, itemsB[k].value));
        }
    }
    return lines;
}

} // namespace vantrel
