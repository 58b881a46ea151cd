#include "layouts/BindResolution.h"

#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"
#include "model/CodeNames.h"

#include <algorithm>
#include <variant>

namespace vantrel {
namespace {

/// What the source means by the name, when it names a key at all; the key's
/// code is empty when the encoder cannot send it.
std::optional<KeyMeaning> meaningIn(SpellingSource source, std::string_view name) {
    for (KeyMeaning& meaning : meaningsOf(name)) {
        if (std::find(meaning.sources.begin(), meaning.sources.end(), source) !=
            meaning.sources.end()) {
            return std::move(meaning);
        }
    }
    return std::nullopt;
}

/// The file's own name for the key where the readable format reads it as
/// that key, without a second thought; the key's display name elsewhere.
std::string writtenSpelling(const std::string& name, std::uint8_t code) {
    if (codeNamed(CodeKind::Key, name) == code && !twinOf(name)) {
        return name;
    }
    return keyName(code);
}

/// The chord's keys, or why it cannot be carried.
std::variant<std::vector<LayoutKey>, LayoutNote> chordKeys(const BindChord& chord,
                                                           SpellingSource source) {
    std::vector<LayoutKey> keys;
    for (const BindItem& item : chord) {
        const std::optional<KeyMeaning> meaning =
            item.key ? meaningIn(source, item.name) : std::nullopt;
        if (!meaning || !meaning->code) {
            const NoteKind kind = !item.key  ? NoteKind::NotAKey
                                  : !meaning ? NoteKind::UnknownKey
                                             : NoteKind::NoKeyOnEncoder;
            return LayoutNote{kind, {}, {}, item.name, {}, 0};
        }
        LayoutKey key{*meaning->code, writtenSpelling(item.name, *meaning->code)};
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(std::move(key));
        }
    }
    return keys;
}

std::string spelt(const std::vector<LayoutKey>& keys) {
    std::string text;
    for (const LayoutKey& key : keys) {
        text += (text.empty() ? "" : "+") + key.spelling;
    }
    return text;
}

} // namespace

ResolvedBind resolveBind(const BindValue& value, SpellingSource source) {
    ResolvedBind resolved;
    for (const BindChord& chord : value.alternatives) {
        auto keys = chordKeys(chord, source);
        if (auto* note = std::get_if<LayoutNote>(&keys)) {
            if (!resolved.note) {
                resolved.note = std::move(*note);
            }
        } else if (resolved.keys.empty()) {
            resolved.keys = std::move(std::get<std::vector<LayoutKey>>(keys));
        }
    }
    if (resolved.note) {
        resolved.note->taken = spelt(resolved.keys);
    }
    return resolved;
}

bool namesAKey(const BindValue& value, SpellingSource source) {
    return std::any_of(
        value.alternatives.begin(), value.alternatives.end(), [source](const BindChord& chord) {
            return std::any_of(chord.begin(), chord.end(), [source](const BindItem& item) {
                return item.key && meaningIn(source, item.name);
            });
        });
}

} // namespace vantrel
