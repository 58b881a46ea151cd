#include "layouts/LayoutDocument.h"

#include "formats/JsonExport.h"
#include "keytext/modKeyText.h"
#include "layouts/HeldKeys.h"
#include "model/CodeNames.h"

#include <algorithm>

namespace vantrel {
namespace {

/// Gives every key the entry names by its display name the file's name.
void spellKeys(JsonObject& node, const std::vector<LayoutKey>& keys) {
    if (node.is_object() && node.contains("code") &&
        node.value("type", std::string(kindWord(CodeKind::Key))) == kindWord(CodeKind::Key)) {
        for (const LayoutKey& key : keys) {
            if (node["code"] == keyName(key.code)) {
                node["code"] = key.spelling;
                break;
            }
        }
    }
    if (node.is_structured()) {
        for (JsonObject& child : node) {
            spellKeys(child, keys);
        }
    }
}

} // namespace

LayoutConfiguration layoutConfiguration(const FrontEndLayout& layout) {
    LayoutConfiguration made;
    const std::size_t inputs = std::min(layout.controls.size(), std::size_t{InputCount});
    for (std::size_t k = 0; k < inputs; ++k) {
        made.config.InputMacros.at(k) = heldKeysAssignment(layout.controls[k].keys);
        made.labels.inputs.at(k) = layout.controls[k].label;
    }
    return made;
}

JsonObject layoutDocument(const FrontEndLayout& layout) {
    const LayoutConfiguration made = layoutConfiguration(layout);
    JsonObject document = exportConfiguration(made.config, DeviceSettings{}, &made.labels);
    JsonObject& inputs = document["inputs"];
    for (std::size_t k = 0; k < inputs.size() && k < layout.controls.size(); ++k) {
        spellKeys(inputs[k], layout.controls[k].keys);
    }
    return document;
}

} // namespace vantrel
