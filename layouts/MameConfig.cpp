#include "layouts/MameConfig.h"

#include "layouts/MameSequence.h"
#include "layouts/XmlReader.h"

namespace vantrel {
namespace {

constexpr std::string_view RootName = "mameconfig";
/// The system whose settings apply to every game.
constexpr std::string_view EverySystem = "default";
constexpr std::string_view StandardSequence = "standard";

/// The bind a sequence of a port sets.
std::string bindOf(std::string_view portType, std::string_view sequenceType) {
    std::string bind(portType);
    if (sequenceType != StandardSequence) {
        bind += " " + std::string(sequenceType);
    }
    return bind;
}

void readPort(const XmlElement& port, std::string_view system, FileBinds& file) {
    const std::string_view type = port.attribute("type").value_or("");
    for (const XmlElement& sequence : port.children) {
        if (sequence.name != "newseq") {
            continue;
        }
        const std::string bind =
            bindOf(type, sequence.attribute("type").value_or(StandardSequence));
        if (system != EverySystem || port.attribute("tag")) {
            file.notes.push_back(
                {NoteKind::OneSystemOnly, bind, {}, std::string(system), {}, sequence.line});
            continue;
        }
        BindValue value = mameSequence(sequence.text);
        value.line = sequence.line;
        setBind(file, bind, std::move(value));
    }
}

void readRemap(const XmlElement& remap, std::string_view system, FileBinds& file) {
    const std::string from(remap.attribute("origcode").value_or(""));
    const std::string to(remap.attribute("newcode").value_or(""));
    if (system != EverySystem) {
        file.notes.push_back(
            {NoteKind::OneSystemOnly, "remap " + from, {}, std::string(system), {}, remap.line});
        return;
    }
    file.remaps.emplace_back(from, to);
}

void readSystem(const XmlElement& system, FileBinds& file) {
    const std::string_view name = system.attribute("name").value_or("");
    for (const XmlElement& input : system.children) {
        if (input.name != "input") {
            continue;
        }
        for (const XmlElement& setting : input.children) {
            if (setting.name == "port") {
                readPort(setting, name, file);
            } else if (setting.name == "remap") {
                readRemap(setting, name, file);
            }
        }
    }
}

} // namespace

FileBindsRead readMameBinds(std::string_view text) {
    const XmlRead xml = readXml(text);
    if (!xml.ok()) {
        return xml.failure();
    }
    const XmlElement& root = xml.value();
    if (root.name != RootName) {
        return LayoutFailure{{LayoutError::NotMameConfig, root.name}, root.line};
    }
    FileBinds file;
    for (const XmlElement& system : root.children) {
        if (system.name == "system") {
            readSystem(system, file);
        }
    }
    return file;
}

} // namespace vantrel
