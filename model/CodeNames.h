#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The readable form of a key, mouse or joystick code: its display name where
// it has one of its own, its number otherwise, and the way back.
namespace vantrel {

/// What kind of code a name is looked up as.
enum class CodeKind { Key, Mouse, Joystick };

/// The name the windows show for the code ("Not Used" for a code without
/// a name of its own).
[[nodiscard]] std::string displayName(CodeKind kind, std::uint8_t code);

/// A code as the readable format writes it: a display name or a number.
using CodeText = std::variant<std::string, std::uint8_t>;

/// The display name of the code, or the code itself when the name the
/// program shows for it ("Not Used") is shared with other codes. Key code 0
/// is the one "Not Used" that names a single code.
[[nodiscard]] CodeText codeText(CodeKind kind, std::uint8_t code);

/// The code whose display name is `name`, without regard to case; for keys,
/// "Not Used" is 0. Keys also go by the names other programs and people give
/// them (keytext/KeySpellingSources.h), mouse buttons by their Linux input
/// names; a name that means two keys, or a key the encoder lacks, names none.
[[nodiscard]] std::optional<std::uint8_t> codeNamed(CodeKind kind, std::string_view name);

/// Every code that has a display name of its own, in code order.
[[nodiscard]] std::vector<std::uint8_t> namedCodes(CodeKind kind);

/// The display names a person most likely meant by a name that names no
/// code: the closest by spelling among every accepted name, so that a
/// mistyped "LCtrl" leads to "Left Ctrl"; empty when none comes close.
[[nodiscard]] std::vector<std::string> closestCodeNames(CodeKind kind, std::string_view name);

/// The kind of code a step of KeyType `keyType` holds (a delay counts as a
/// key: it has no names of its own).
[[nodiscard]] CodeKind codeKindOf(std::uint8_t keyType);

/// The words the format and messages use for each kind, in CodeKind order,
/// which is also the order of the KeyType codes.
constexpr std::array<std::string_view, 3> KindWords = {"key", "mouse", "joystick"};

/// "key", "mouse" or "joystick".
[[nodiscard]] std::string_view kindWord(CodeKind kind);

} // namespace vantrel
