#include "monitor/MonitorText.h"

#include "keytext/modKeyText.h"
#include "model/EchoedText.h"
#include "model/modSettings.h"
#include "reports/ConfigurationWords.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace vantrel {
namespace {

constexpr std::uint8_t UsageF13 = 0x68;
constexpr std::uint8_t UsageF24 = 0x73;

std::string hex(unsigned value) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "0x%02x", value);
    return text.data();
}

// The encoder names only what it can send; the kernel may report more.
std::string keyOfUsage(std::uint8_t usage) {
    std::string name = keyName(usage);
    if (name != NotUsedName) {
        return name;
    }
    if (usage >= UsageF13 && usage <= UsageF24) {
        return "F" + std::to_string(usage - UsageF13 + 13);
    }
    return "key usage " + hex(usage);
}

std::string controlName(const ControlEvent& control) {
    if (control.values.empty()) {
        return "key code " + hex(control.linuxCode);
    }
    switch (control.keyType) {
    case KeyTypeMouse:
        return mouseName(control.values.front());
    case KeyTypeJoystick:
        return joystickName(control.values.front());
    default:
        for (const std::uint8_t usage : control.values) {
            if (keyName(usage) != NotUsedName) {
                return keyName(usage);
            }
        }
        return keyOfUsage(control.values.front());
    }
}

std::string modifierName(std::uint8_t usage) {
    switch (usage) {
    case KeyLeftCtrl:
        return "Ctrl";
    case KeyLeftShift:
        return "Shift";
    case KeyLeftAlt:
        return "Alt";
    default:
        return keyName(usage);
    }
}

std::string direction(int rotaryKey) {
    return rotaryKey % 2 == 1 ? "clockwise" : "counterclockwise";
}

std::string withLabel(const std::string& name, const std::string& label) {
    return label.empty() ? name : name + " (" + label + ")";
}

std::string sourceName(const ActionSource& source, const ConfigurationLabels& labels) {
    const int index = source.index;
    if (source.kind == ActionSource::Kind::Input) {
        return withLabel("Input " + std::to_string(index + 1), labels.input(index));
    }
    return withLabel("Rotary Switch " + std::to_string(index / 2 + 1),
                     labels.rotarySwitch(index / 2)) +
           " " + direction(index);
}

/// "A or B", "A, B or C".
std::string sourceList(const std::vector<ActionSource>& sources,
                       const ConfigurationLabels& labels) {
    std::string names;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        names += i == 0 ? "" : i + 1 == sources.size() ? " or " : ", ";
        names += sourceName(sources[i], labels);
    }
    return names;
}

std::string candidateList(const MonitorReport& report, const ConfigurationLabels& labels) {
    std::string names;
    const std::size_t count = report.candidates.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Candidate& candidate = report.candidates[i];
        names += i == 0 ? "" : i + 1 == count ? " or " : ", ";
        names +=
            sourceName(candidate.source, labels) + (candidate.macro && count > 1 ? " (macro)" : "");
    }
    return names;
}

std::string signedAmount(std::int64_t amount) {
    return (amount > 0 ? "+" : "") + std::to_string(amount);
}

std::string motionText(const MonitorReport& report) {
    std::string text;
    for (const MotionAxis& axis : report.motion) {
        text += (text.empty() ? "" : ", ") + axis.name + " " +
                (axis.relative ? signedAmount(axis.amount) : "at " + std::to_string(axis.amount));
    }
    return text;
}

std::string jsonString(std::string_view text) {
    return "\"" + jsonEscapedText(text) + "\"";
}

std::string jsonTime(std::int64_t microseconds) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%lld.%06lld",
                  static_cast<long long>(microseconds / 1'000'000),
                  static_cast<long long>(microseconds % 1'000'000));
    return text.data();
}

std::string sourceJson(const ActionSource& source, const ConfigurationLabels& labels) {
    const int index = source.index;
    std::string json;
    std::string label;
    if (source.kind == ActionSource::Kind::Input) {
        json = "{\"input\":" + std::to_string(index + 1);
        label = labels.input(index);
    } else {
        json = "{\"rotarySwitch\":" + std::to_string(index / 2 + 1) +
               ",\"direction\":" + jsonString(direction(index));
        label = labels.rotarySwitch(index / 2);
    }
    if (!label.empty()) {
        json += ",\"label\":" + jsonString(label);
    }
    return json;
}

std::string candidateJson(const Candidate& candidate, const ConfigurationLabels& labels) {
    std::string json = sourceJson(candidate.source, labels);
    if (candidate.macro) {
        json += R"(,"macro":true,"firstStep":)" + jsonString(stepInWords(candidate.firstPress));
    }
    return json + "}";
}

std::string encoderPrefix(const std::string& encoder) {
    return encoder.empty() ? std::string{} : escapedText(encoder) + ": ";
}

std::string encoderJson(const std::string& encoder) {
    return encoder.empty() ? std::string{} : R"(,"encoder":)" + jsonString(encoder);
}

std::string lineText(const MonitorReport& report, const std::string& device,
                     const ConfigurationLabels& labels) {
    if (report.kind == MonitorReport::Kind::Motion) {
        return "motion on " + device + ": " + motionText(report);
    }
    if (report.candidates.empty()) {
        return "not in the configuration: " + report.action;
    }
    const std::string who = candidateList(report, labels);
    if (report.kind == MonitorReport::Kind::Release) {
        return who + ": " + report.action + " released";
    }
    if (report.candidates.size() > 1) {
        return who + ": " + report.action +
               " (more than one control sends this: see vantrelctl check)";
    }
    const Candidate& only = report.candidates.front();
    return who + ": " +
           (only.macro ? "macro, first step " + stepInWords(only.firstPress) : report.action);
}

} // namespace

std::string actionName(const ControlAction& activation) {
    std::string name;
    for (const std::uint8_t usage : activation.modifiers) {
        name += modifierName(usage) + "+";
    }
    return name + controlName(activation.control);
}

std::string reportText(const MonitorReport& report, const std::string& device,
                       const ConfigurationLabels& labels, const std::string& encoder) {
    return encoderPrefix(encoder) + lineText(report, device, labels);
}

std::string reportJson(const MonitorReport& report, const std::string& device,
                       const ConfigurationLabels& labels, const std::string& encoder) {
    constexpr std::array<std::string_view, 3> kinds = {"press", "release", "motion"};
    std::string json = R"({"event":")" +
                       std::string(kinds.at(static_cast<std::size_t>(report.kind))) +
                       R"(","time":)" + jsonTime(report.microseconds) + encoderJson(encoder) +
                       R"(,"device":)" + jsonString(device);
    if (report.kind == MonitorReport::Kind::Motion) {
        std::string axes;
        for (const MotionAxis& axis : report.motion) {
            axes += (axes.empty() ? "{\"axis\":" : ",{\"axis\":") + jsonString(axis.name) +
                    (axis.relative ? ",\"change\":" : ",\"position\":") +
                    std::to_string(axis.amount) + "}";
        }
        return json + ",\"axes\":[" + axes + "]}";
    }
    std::string controls;
    for (const Candidate& candidate : report.candidates) {
        controls += (controls.empty() ? "" : ",") + candidateJson(candidate, labels);
    }
    return json + ",\"action\":" + jsonString(report.action) + ",\"controls\":[" + controls + "]}";
}

std::vector<std::string> summaryText(const SeenSummary& summary, const ConfigurationLabels& labels,
                                     const std::string& encoder) {
    std::string text =
        encoderPrefix(encoder) + "Seen " + std::to_string(summary.seen) + " of " +
        std::to_string(summary.used) +
        (summary.rotaryDirectionsUsed ? " used inputs and rotary directions" : " used inputs");
    for (std::size_t i = 0; i < summary.notSeen.size(); ++i) {
        text += (i == 0 ? "; not seen: " : ", ") + sourceName(summary.notSeen[i], labels);
    }
    std::vector<std::string> lines{text};
    for (const NotToldApart& group : summary.notToldApart) {
        lines.push_back(encoderPrefix(encoder) +
                        "not told apart: " + sourceList(group.sources, labels) + ": " +
                        (group.sources.size() == 2 ? "both" : "all") + " send " + group.action +
                        "; press it again, or see vantrelctl check");
    }
    return lines;
}

std::string summaryJson(const SeenSummary& summary, const ConfigurationLabels& labels,
                        const std::string& encoder) {
    std::string notSeen;
    for (const ActionSource& source : summary.notSeen) {
        notSeen += (notSeen.empty() ? "" : ",") + sourceJson(source, labels) + "}";
    }
    std::string notToldApart;
    for (const NotToldApart& group : summary.notToldApart) {
        std::string controls;
        for (const ActionSource& source : group.sources) {
            controls += (controls.empty() ? "" : ",") + sourceJson(source, labels) + "}";
        }
        notToldApart += std::string(notToldApart.empty() ? "" : ",") + R"({"action":)" +
                        jsonString(group.action) + R"(,"controls":[)" + controls + "]}";
    }
    return R"({"event":"summary")" + encoderJson(encoder) + R"(,"seen":)" +
           std::to_string(summary.seen) + R"(,"used":)" + std::to_string(summary.used) +
           R"(,"notSeen":[)" + notSeen + R"(],"notToldApart":[)" + notToldApart + "]}";
}

} // namespace vantrel
