#include "formats/JsonExport.h"

#include "formats/JsonFormat.h"
#include "formats/JsonText.h"
#include "model/CodeNames.h"
#include "model/ConfigurationFindings.h"
#include "model/EffectiveMacro.h"

namespace vantrel {
namespace {

using Json = nlohmann::ordered_json;

Json codeJson(CodeKind kind, std::uint8_t code) {
    const CodeText text = codeText(kind, code);
    if (const auto* name = std::get_if<std::string>(&text)) {
        return *name;
    }
    return std::get<std::uint8_t>(text);
}

Json modifierList(std::uint8_t keyOperator) {
    Json words = Json::array();
    for (const ModifierWord& modifier : ModifierWords) {
        if ((keyOperator & modifier.bit) != 0) {
            words.push_back(modifier.word);
        }
    }
    return words;
}

bool hasKeyRepeat(std::uint8_t keyOperator) {
    return (keyOperator & OperatorKeyRepeat) != 0;
}

Json singleJson(const InputMacro& macro) {
    const SingleKey single = decodeSingleKey(macro);
    const CodeKind kind = codeKindOf(single.KeyType);
    Json json = {{"type", kindWord(kind)}, {"code", codeJson(kind, single.KeyValue)}};
    if (kind == CodeKind::Key) {
        json["modifiers"] = modifierList(single.KeyOperator);
        json["keyRepeat"] = hasKeyRepeat(single.KeyOperator);
    }
    return json;
}

Json stepJson(const MacroStep& step) {
    if (step.KeyType == KeyTypeDelay) {
        Json json = {{"action", "delay"}, {"ms", delayMs(step.KeyValue)}};
        // The flag means nothing to a delay, but it is kept so that every
        // image comes back byte for byte.
        if (!step.PressRelease) {
            json["released"] = true;
        }
        return json;
    }
    const CodeKind kind = codeKindOf(step.KeyType);
    return {{"action", step.PressRelease ? "press" : "release"},
            {"type", kindWord(kind)},
            {"code", codeJson(kind, step.KeyValue)}};
}

Json sequenceJson(const InputMacro& macro, int sequence) {
    Json steps = Json::array();
    for (int n = 0; n < sequenceLength(macro, sequence); ++n) {
        steps.push_back(stepJson(macro.step(n, sequence)));
    }
    return steps;
}

Json macroJson(const InputMacro& macro) {
    Json json = {{"activation", sequenceJson(macro, Activation)},
                 {"deactivation", sequenceJson(macro, Deactivation)}};
    const InputMacro kept = effectiveMacro(macro);
    if (kept.RepeatDelay != 0) {
        json["repeat"] = RepeatDelayEntries.at(kept.RepeatDelay - 1U);
    }
    return json;
}

Json inputsJson(const Configuration& config) {
    Json inputs = Json::array();
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro& macro = config.input(i);
        if (isNotUsed(macro)) {
            continue;
        }
        Json input = {{"input", i + 1}};
        if (isSingleKeyAssignment(macro)) {
            input["single"] = singleJson(macro);
        } else {
            input["macro"] = macroJson(macro);
        }
        inputs.push_back(std::move(input));
    }
    return inputs;
}

Json rotaryKeyJson(const RotaryKey& key) {
    Json json = {{"code", codeJson(CodeKind::Key, key.KeyValue)},
                 {"modifiers", modifierList(key.KeyOperator)}};
    if (hasKeyRepeat(key.KeyOperator)) {
        json["keyRepeat"] = true;
    }
    return json;
}

Json rotarySwitchesJson(const Configuration& config, const DeviceSettings& settings) {
    Json switches = Json::array();
    for (int j = 0; j < RotarySwitchCount; ++j) {
        const RotarySwitchSettings& lists = settings.Rotary.at(static_cast<std::size_t>(j));
        switches.push_back({
            {"switch", j + 1},
            {"counterclockwise", rotaryKeyJson(config.rotaryKey(rotaryKeyIndex(j, false)))},
            {"clockwise", rotaryKeyJson(config.rotaryKey(rotaryKeyIndex(j, true)))},
            {"maximumRate", MaximumRateEntries.at(lists.MaximumRate)},
            {"divisor", DivisorEntries.at(lists.Divisor)},
            {"bufferOverflow", BufferOverflowEntries.at(lists.BufferOverflow)},
        });
    }
    return switches;
}

/// `entry` with its label after the number, as the format lists it.
Json labelled(const Json& entry, const std::string& label) {
    Json result = Json::object();
    for (const auto& [name, value] : entry.items()) {
        result[name] = value;
        if (result.size() == 1 && !label.empty()) {
            result["label"] = label;
        }
    }
    return result;
}

Json intendedJson(const std::vector<IntendedShare>& shares) {
    Json list = Json::array();
    for (const IntendedShare& share : shares) {
        Json inputs = Json::array();
        Json rotaryKeys = Json::array();
        for (const ActionSource& source : share.sources) {
            (source.kind == ActionSource::Kind::Input ? inputs : rotaryKeys)
                .push_back(source.index + 1);
        }
        Json entry = {{"finding", findingWord(share.kind)}, {"inputs", inputs}};
        if (!rotaryKeys.empty()) {
            entry["rotaryKeys"] = rotaryKeys;
        }
        list.push_back(entry);
    }
    return list;
}

/// Puts the labels into the document: into the entries there are, and as
/// entries of their own for labelled inputs that send nothing.
void addLabels(const ConfigurationLabels& labels, Json& document) {
    Json inputs = Json::array();
    std::size_t next = 0;
    const Json& used = document["inputs"];
    for (int i = 0; i < InputCount; ++i) {
        const bool sends = next < used.size() && used[next]["input"] == i + 1;
        if (sends) {
            inputs.push_back(labelled(used[next++], labels.input(i)));
        } else if (!labels.input(i).empty()) {
            inputs.push_back({{"input", i + 1}, {"label", labels.input(i)}});
        }
    }
    document["inputs"] = inputs;
    for (Json& rotarySwitch : document["rotarySwitches"]) {
        const int j = rotarySwitch["switch"].get<int>() - 1;
        rotarySwitch = labelled(rotarySwitch, labels.rotarySwitch(j));
    }
    if (!labels.intended.empty()) {
        document["intended"] = intendedJson(labels.intended);
    }
}

} // namespace

nlohmann::ordered_json exportConfiguration(const Configuration& config,
                                           const DeviceSettings& settings,
                                           const ConfigurationLabels* labels) {
    Json document = {
        {"format", FormatName},
        {"version", FormatVersion},
        {"inputs", inputsJson(config)},
        {"rotarySwitches", rotarySwitchesJson(config, settings)},
        {"trackball", {{"reverseX", settings.ReverseX}, {"reverseY", settings.ReverseY}}},
        {"spinner",
         {{"mode", SpinnerOptionCaptions.at(settings.Spinner)},
          {"reverse", settings.ReverseSpinner}}},
        {"joystickAxes",
         {{"x", settings.Joystick[0]},
          {"y", settings.Joystick[1]},
          {"z", settings.Joystick[2]},
          {"rx", settings.Joystick[3]}}},
    };
    if (labels != nullptr) {
        addLabels(*labels, document);
    }
    return document;
}

std::string exportConfigurationText(const Configuration& config, const DeviceSettings& settings,
                                    const ConfigurationLabels* labels) {
    return jsonText(exportConfiguration(config, settings, labels), 2) + "\n";
}

} // namespace vantrel
