#include "model/CodeNames.h"

#include "keytext/modKeyText.h"
#include "model/modSettings.h"

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

} // namespace

CodeText codeText(CodeKind kind, std::uint8_t code) {
    const std::string& name = namesOf(kind)[code];
    if (namesOneCode(kind, code, name)) {
        return name;
    }
    return code;
}

std::optional<std::uint8_t> codeNamed(CodeKind kind, std::string_view name) {
    const auto& names = namesOf(kind);
    for (int code = 0; code < CodeCount; ++code) {
        const auto value = static_cast<std::uint8_t>(code);
        if (names[value] == name && namesOneCode(kind, value, name)) {
            return value;
        }
    }
    return std::nullopt;
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
