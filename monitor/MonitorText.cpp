#include "monitor/MonitorText.h"

#include "keytext/modKeyText.h"
#include "model/EchoedText.h"
#include "model/JsonWriter.h"
#include "model/SourceNames.h"
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

/// A control's fields, within an object the caller opened.
void writeSource(JsonWriter& out, const ActionSource& source, const ConfigurationLabels& labels) {
    const int index = source.index;
    std::string label;
    if (source.kind == ActionSource::Kind::Input) {
        out.key("input").number(index + 1);
        label = labels.input(index);
    } else {
        out.key("rotarySwitch")
            .number(index / 2 + 1)
            .key("direction")
            .string(rotaryDirection(index));
        label = labels.rotarySwitch(index / 2);
    }
    if (!label.empty()) {
        out.key("label").string(label);
    }
}

void writeSources(JsonWriter& out, const std::vector<ActionSource>& sources,
                  const ConfigurationLabels& labels) {
    out.beginArray();
    for (const ActionSource& source : sources) {
        out.beginObject();
        writeSource(out, source, labels);
        out.endObject();
    }
    out.endArray();
}

void writeCandidate(JsonWriter& out, const Candidate& candidate,
                    const ConfigurationLabels& labels) {
    out.beginObject();
    writeSource(out, candidate.source, labels);
    if (candidate.macro) {
        out.key("macro").boolean(true).key("firstStep").string(stepInWords(candidate.firstPress));
    }
    out.endObject();
}

std::string encoderPrefix(const std::string& encoder) {
    return encoder.empty() ? std::string{} : escapedText(encoder) + ": ";
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
    JsonWriter out;
    out.beginObject().key("event").string(kinds.at(static_cast<std::size_t>(report.kind)));
    out.key("time").seconds(report.microseconds);
    if (!encoder.empty()) {
        out.key("encoder").string(encoder);
    }
    out.key("device").string(device);
    if (report.kind == MonitorReport::Kind::Motion) {
        out.key("axes").beginArray();
        for (const MotionAxis& axis : report.motion) {
            out.beginObject().key("axis").string(axis.name);
            out.key(axis.relative ? "change" : "position").number(axis.amount).endObject();
        }
        return out.endArray().endObject().text();
    }
    out.key("action").string(report.action).key("controls").beginArray();
    for (const Candidate& candidate : report.candidates) {
        writeCandidate(out, candidate, labels);
    }
    return out.endArray().endObject().text();
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
    JsonWriter out;
    out.beginObject().key("event").string("summary");
    if (!encoder.empty()) {
        out.key("encoder").string(encoder);
    }
    out.key("seen").number(summary.seen).key("used").number(summary.used).key("notSeen");
    writeSources(out, summary.notSeen, labels);
    out.key("notToldApart").beginArray();
    for (const NotToldApart& group : summary.notToldApart) {
        out.beginObject().key("action").string(group.action).key("controls");
        writeSources(out, group.sources, labels);
        out.endObject();
    }
    return out.endArray().endObject().text();
}

} // namespace vantrel
