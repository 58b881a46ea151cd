#include "model/CodeNames.h"

#include "keytext/modKeyText.h"
#include "model/modSettings.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr std::string_view NotUsed = "Not Used";
constexpr int CodeCount = 256;

std::string displayName(CodeKind kind, std::uint8_t code) {
    switch (kind) {
    case CodeKind::Mouse:
        return mouseName(code);
    case CodeKind::Joystick:
        return joystickName(code);
    case CodeKind::Key:
        break;
    }
    return keyName(code);
}

/// Every code's display name, built once per kind from the same functions
/// the windows use, so that the two can never disagree.
const std::array<std::string, CodeCount>& namesOf(CodeKind kind) {
    const auto build = [](CodeKind k) {
        std::array<std::string, CodeCount> names;
        for (int code = 0; code < CodeCount; ++code) {
            names[static_cast<std::size_t>(code)] = displayName(k, static_cast<std::uint8_t>(code));
        }
        return names;
    };
    static const std::array<std::string, CodeCount> keys = build(CodeKind::Key);
    static const std::array<std::string, CodeCount> mouse = build(CodeKind::Mouse);
    static const std::array<std::string, CodeCount> joystick = build(CodeKind::Joystick);
    switch (kind) {
    case CodeKind::Mouse:
        return mouse;
    case CodeKind::Joystick:
        return joystick;
    case CodeKind::Key:
        break;
    }
    return keys;
}

bool namesOneCode(CodeKind kind, std::uint8_t code, std::string_view name) {
    return name != NotUsed || (kind == CodeKind::Key && code == 0);
}

constexpr std::uint8_t FirstDigitKey = 30;

/// A name a keyboard prints on both of a left and right pair of keys.
struct AmbiguousKey {
    std::string_view name;
    std::uint8_t left;
    std::uint8_t right;
};
constexpr std::array<AmbiguousKey, 4> AmbiguousKeys = {
    {{"Ctrl", 224, 228}, {"Shift", 225, 229}, {"Alt", 226, 230}, {"Win", 227, 231}}};

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowered(x) == lowered(y); });
}

/// The fewest single-character insertions, deletions and replacements that
/// turn one text into the other, without regard to case.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t replace = diagonal + (lowered(a[i - 1]) == lowered(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, replace});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

CodeText codeText(CodeKind kind, std::uint8_t code) {
    const std::string& name = namesOf(kind)[code];
    if (namesOneCode(kind, code, name)) {
        return name;
    }
    return code;
}

std::optional<std::uint8_t> codeNamed(CodeKind kind, std::string_view name) {
    for (const std::uint8_t code : namedCodes(kind)) {
        if (sameIgnoringCase(namesOf(kind)[code], name)) {
            return code;
        }
    }
    if (kind != CodeKind::Key) {
        return std::nullopt;
    }
    for (const KeyAlias& alias : keyAliases()) {
        if (sameIgnoringCase(alias.alias, name)) {
            return alias.code;
        }
    }
    return std::nullopt;
}

const std::vector<KeyAlias>& keyAliases() {
    // Other spellings people write, and the captions of the key picture in
    // the assignment dialog, each meaning exactly one key.
    static const std::vector<KeyAlias> aliases = [] {
        std::vector<KeyAlias> list = {
            {"Escape", 41}, {"Return", 40},    {"Del", 76},         {"Ins", 73},    {"PgUp", 75},
            {"PgDn", 78},   {"Caps Lock", 57}, {"Scroll Lock", 71}, {"PrtSc", 70},  {"Up", 82},
            {"Down", 81},   {"Left", 80},      {"Right", 79},       {"CapsLk", 57}, {"ScrLk", 71},
            {"Num", 83},    {"Apl", 101},      {"Ent", 88},
        };
        // A digit alone is the digit row's key: "1" is "1 !", "0" is "0 )".
        constexpr std::array<std::string_view, 10> Digits = {"1", "2", "3", "4", "5",
                                                             "6", "7", "8", "9", "0"};
        for (std::size_t i = 0; i < Digits.size(); ++i) {
            list.push_back({Digits[i], static_cast<std::uint8_t>(FirstDigitKey + i)});
        }
        return list;
    }();
    return aliases;
}

std::vector<std::uint8_t> namedCodes(CodeKind kind) {
    std::vector<std::uint8_t> codes;
    const auto& names = namesOf(kind);
    for (int code = 0; code < CodeCount; ++code) {
        const auto value = static_cast<std::uint8_t>(code);
        if (namesOneCode(kind, value, names[value])) {
            codes.push_back(value);
        }
    }
    return codes;
}

std::vector<std::string> closestCodeNames(CodeKind kind, std::string_view name) {
    const auto& names = namesOf(kind);
    if (kind == CodeKind::Key) {
        for (const AmbiguousKey& ambiguous : AmbiguousKeys) {
            if (sameIgnoringCase(ambiguous.name, name)) {
                return {names[ambiguous.left], names[ambiguous.right]};
            }
        }
    }
    // Every spelling with the code it stands for, the display names first.
    std::vector<std::pair<std::string_view, std::uint8_t>> spellings;
    for (const std::uint8_t code : namedCodes(kind)) {
        spellings.emplace_back(names[code], code);
    }
    if (kind == CodeKind::Key) {
        for (const KeyAlias& alias : keyAliases()) {
            spellings.emplace_back(alias.alias, alias.code);
        }
    }
    const std::size_t allowed = std::max<std::size_t>(2, name.size() / 3);
    std::size_t best = allowed + 1;
    std::vector<std::string> closest;
    for (const auto& [spelling, code] : spellings) {
        const std::size_t distance = editDistance(spelling, name);
        if (distance > best) {
            continue;
        }
        if (distance < best) {
            best = distance;
            closest.clear();
        }
        if (std::find(closest.begin(), closest.end(), names[code]) == closest.end()) {
            closest.push_back(names[code]);
        }
    }
    constexpr std::size_t MaximumSuggestions = 3;
    closest.resize(std::min(closest.size(), MaximumSuggestions));
    return closest;
}

CodeKind codeKindOf(std::uint8_t keyType) {
    switch (keyType) {
    case KeyTypeMouse:
        return CodeKind::Mouse;
    case KeyTypeJoystick:
        return CodeKind::Joystick;
    default:
        return CodeKind::Key;
    }
}

std::string_view kindWord(CodeKind kind) {
    switch (kind) {
    case CodeKind::Mouse:
        return "mouse";
    case CodeKind::Joystick:
        return "joystick";
    case CodeKind::Key:
        break;
    }
    return "key";
}

} // namespace vantrel
