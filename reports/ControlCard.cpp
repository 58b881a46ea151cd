#include "reports/ControlCard.h"

#include "model/ConfigurationFindings.h"
#include "model/EffectiveMacro.h"
#include "model/SourceNames.h"
#include "reports/ConfigurationWords.h"
#include "reports/HtmlText.h"

namespace vantrel {
namespace {

// Small type in columns, so that 108 inputs with a few macros fit one sheet
// of A4 or Letter; the margin suits both.
constexpr std::string_view Style = R"(
@page { margin: 10mm; }
* { box-sizing: border-box; }
body { font: 7pt/1.22 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; color: #000;
       background: #fff; margin: 0 auto; padding: 4mm; max-width: 200mm; }
h1 { font-size: 11pt; margin: 0 0 1.5mm; }
h1 small { font-weight: normal; font-size: 8pt; margin-left: 2mm; }
h2 { font-size: 8pt; margin: 2.5mm 0 1mm; border-bottom: 0.3mm solid #000;
     text-transform: uppercase; letter-spacing: 0.05em; }
ul { list-style: none; margin: 0; padding: 0; }
.inputs { columns: 4; column-gap: 4mm; }
.settings { columns: 3; column-gap: 4mm; }
.inputs li, .settings li { break-inside: avoid; padding: 0.25mm 0; border-bottom: 0.1mm solid #bbb;
                           display: flex; gap: 1.5mm; }
.number { flex: 0 0 5mm; text-align: right; font-weight: bold; color: #444; }
.what { flex: 1; display: flex; flex-wrap: wrap; column-gap: 2mm; }
.label { font-weight: bold; }
.action { margin-left: auto; text-align: right; }
.macro { flex-basis: 100%; }
.mode { font-style: italic; }
ol.steps { display: inline; margin: 0; padding: 0; list-style: none; }
ol.steps li { display: inline; border: none; padding: 0; white-space: nowrap; }
ol.steps li + li::before { content: "\203A\00A0"; color: #666; }
.settings .name { flex: 1; color: #444; }
.findings li { padding: 0.3mm 0; }
.findings li::before { content: "\26A0  "; }
.size { margin-top: 1.5mm; color: #444; }
@media print { body { padding: 0; max-width: none; } }
)";

std::string element(std::string_view tag, const std::string& html,
                    std::string_view className = {}) {
    const std::string open = className.empty()
                                 ? std::string(tag)
                                 : std::string(tag) + " class=\"" + std::string(className) + "\"";
    return "<" + open + ">" + html + "</" + std::string(tag) + ">";
}

std::string stepsHtml(const InputMacro& macro, int sequence) {
    const int length = sequenceLength(macro, sequence);
    if (length == 0) {
        return "nothing";
    }
    std::string items;
    for (int n = 0; n < length; ++n) {
        // The blank between steps is where a line may break; a step itself
        // ("wait 100 ms") stays on one line.
        items +=
            (n == 0 ? "" : " ") + element("li", htmlText(stepInWords(macro.step(n, sequence))));
    }
    return element("ol", items, "steps");
}

std::string macroHtml(const InputMacro& played) {
    std::string html = element("span", "Macro", "mode") +
                       " on press: " + stepsHtml(played, Activation) +
                       "; on release: " + stepsHtml(played, Deactivation);
    if (played.RepeatDelay != 0) {
        html += "; " + htmlText(RepeatDelayEntries.at(played.RepeatDelay - 1U));
    }
    return html;
}

/// A single action as its button shows it, a macro in full: what the device
/// plays, which is what the user will feel.
std::string actionHtml(const InputMacro& macro) {
    const InputMacro played = effectiveMacro(macro);
    if (!isSingleKeyAssignment(played)) {
        return element("span", macroHtml(played), "macro");
    }
    const bool keyRepeat = (decodeSingleKey(played).KeyOperator & OperatorKeyRepeat) != 0;
    return element("span", htmlText(buttonText(played)) + (keyRepeat ? " with Key Repeat" : ""),
                   "action");
}

std::string labelHtml(const std::string& label) {
    return label.empty() ? "" : element("span", htmlText(label), "label");
}

std::string inputsHtml(const Configuration& config, const ConfigurationLabels& labels) {
    std::string items;
    for (int i = 0; i < InputCount; ++i) {
        if (isNotUsed(effectiveMacro(config.input(i)))) {
            continue;
        }
        items += element(
            "li",
            element("span", std::to_string(i + 1), "number") +
                element("span", labelHtml(labels.input(i)) + actionHtml(config.input(i)), "what"));
    }
    return element("h2", "Inputs") + (items.empty() ? element("p", "No input sends anything.")
                                                    : element("ul", items, "inputs"));
}

std::string settingHtml(const std::string& name, const std::string& value) {
    return element("li",
                   element("span", htmlText(name), "name") + element("span", htmlText(value)));
}

std::string settingsHtml(const Configuration& config, const DeviceSettings& settings,
                         const ConfigurationLabels& labels) {
    std::string items;
    for (int j = 0; j < RotarySwitchCount; ++j) {
        if (!labels.rotarySwitch(j).empty()) {
            items += settingHtml(rotarySwitchName(j), labels.rotarySwitch(j));
        }
    }
    for (const SettingItem& item : settingItems(config, settings)) {
        items += settingHtml(item.label, item.value);
    }
    return element("h2", "Rotary switches, trackball, spinner, joystick") +
           element("ul", items, "settings");
}

std::string findingsHtml(const Configuration& config, const ConfigurationLabels& labels) {
    std::string items;
    for (const Finding& finding : configurationFindings(config)) {
        if (isIntended(finding, labels)) {
            continue; // the layout is built that way on purpose
        }
        items += element("li", htmlText(describeFinding(finding, labels)));
    }
    return element("h2", "Findings") +
           (items.empty() ? element("p", "Nothing found.") : element("ul", items, "findings")) +
           element("p", "Size: " + htmlText(sizeLine(config)), "size");
}

} // namespace

std::string controlCard(const Configuration& config, const DeviceSettings& settings,
                        const ConfigurationLabels& labels, const std::string& title) {
    const std::string escapedTitle = htmlText(title);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n" +
           element("title", "Control card: " + escapedTitle) + "\n" +
           element("style", std::string(Style)) + "\n</head>\n<body>\n" +
           element("h1", "Control card" + element("small", escapedTitle)) + "\n" +
           inputsHtml(config, labels) + "\n" + settingsHtml(config, settings, labels) + "\n" +
           findingsHtml(config, labels) + "\n</body>\n</html>\n";
}

} // namespace vantrel
