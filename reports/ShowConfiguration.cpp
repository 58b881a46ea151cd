#include "reports/ShowConfiguration.h"

#include "model/ConfigurationFindings.h"
#include "model/SourceNames.h"
#include "reports/ConfigurationWords.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr std::size_t ColumnGap = 2;

/// Lays out rows of cells so that every column starts at the same place.
class Columns {
public:
    void add(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }

    [[nodiscard]] std::string text() const {
        std::vector<std::size_t> widths;
        for (const auto& row : rows_) {
            widths.resize(std::max(widths.size(), row.size()));
            for (std::size_t c = 0; c < row.size(); ++c) {
                widths[c] = std::max(widths[c], row[c].size());
            }
        }
        std::string out;
        for (const auto& row : rows_) {
            std::string line;
            for (std::size_t c = 0; c < row.size(); ++c) {
                line += row[c];
                if (c + 1 < row.size()) {
                    line += std::string(widths[c] - row[c].size() + ColumnGap, ' ');
                }
            }
            out += line + "\n";
        }
        return out;
    }

private:
    std::vector<std::vector<std::string>> rows_;
};

} // namespace

std::string showConfiguration(const Configuration& config, const DeviceSettings& settings,
                              const ConfigurationLabels& labels) {
    Columns inputs;
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro& macro = config.input(i);
        const std::string& label = labels.input(i);
        inputs.add({withLabel(inputName(i), label), rowMode(macro), rowInWords(macro)});
    }
    Columns others;
    for (const SettingItem& item : settingItems(config, settings)) {
        others.add({item.label, item.value});
    }
    others.add({"Configuration size", sizeLine(config)});
    return inputs.text() + "\n" + others.text();
}

} // namespace vantrel
