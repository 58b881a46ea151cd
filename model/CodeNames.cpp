#include "model/CodeNames.h"

#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"
#include "model/modSettings.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr int CodeCount = 256;

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
    return name != NotUsedName || (kind == CodeKind::Key && code == 0);
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowered(x) == lowered(y); });
}

} // namespace

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

CodeText codeText(CodeKind kind, std::uint8_t code) {
    const std::string& name = namesOf(kind)[code];
    if (namesOneCode(kind, code, name)) {
        return name;
    }
    return code;
}

std::optional<std::uint8_t> codeNamed(CodeKind kind, std::string_view name) {
    if (kind == CodeKind::Key) {
        const std::vector<KeyMeaning> meanings = meaningsOf(name);
        if (meanings.size() == 1) {
            return meanings.front().code;
        }
        return std::nullopt;
    }
    for (const std::uint8_t code : namedCodes(kind)) {
        if (sameIgnoringCase(namesOf(kind)[code], name)) {
            return code;
        }
    }
    if (kind == CodeKind::Mouse) {
        for (const KeySpelling& spelling : mouseSpellings()) {
            if (sameIgnoringCase(spelling.spelling, name)) {
                return static_cast<std::uint8_t>(spelling.usage);
            }
        }
    }
    return std::nullopt;
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
    // Every spelling with the code it stands for, the display names first.
    std::vector<std::pair<std::string_view, std::uint8_t>> spellings;
    if (kind == CodeKind::Key) {
        for (const KeySpelling& spelling : encoderKeySpellings()) {
            spellings.emplace_back(spelling.spelling, static_cast<std::uint8_t>(spelling.usage));
        }
    } else {
        for (const std::uint8_t code : namedCodes(kind)) {
            spellings.emplace_back(names[code], code);
        }
    }
    const std::size_t allowed = std::max<std::size_t>(2, name.size() / 3);
    std::size_t best = allowed + 1;
    std::vector<std::string> closest;
    for (const auto& [spelling, code] : spellings) {
        const std::size_t distance = spellingDistance(spelling, name);
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

static_assert(static_cast<int>(CodeKind::Key) == KeyTypeKeyboard &&
              static_cast<int>(CodeKind::Mouse) == KeyTypeMouse &&
              static_cast<int>(CodeKind::Joystick) == KeyTypeJoystick);

std::string_view kindWord(CodeKind kind) {
    return KindWords.at(static_cast<std::size_t>(kind));
}

} // namespace vantrel
