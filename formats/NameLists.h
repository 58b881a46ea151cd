#pragma once

#include "model/CodeNames.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Everything the readable format accepts by name, listed so that a person can
// look a name up instead of finding it by trial and error.
namespace vantrel {

enum class NameGroup { Keys, Mouse, Joystick, Settings };

/// "keys", "mouse", "joystick" or "settings".
[[nodiscard]] std::string_view nameGroupWord(NameGroup group);
[[nodiscard]] std::optional<NameGroup> nameGroupNamed(std::string_view word);
[[nodiscard]] NameGroup nameGroupOf(CodeKind kind);

/// One line of a list: a code, its name and the other names it is accepted
/// by, or a setting's field and the values it takes.
struct NameListEntry {
    std::string name;
    std::vector<std::string> others;
    /// The device's raw code, which the format also takes as a number;
    /// empty for a setting.
    std::optional<std::uint8_t> code;
};

/// Every accepted name of the group, in code order; for settings, each
/// field that takes a name, with its values in list order.
[[nodiscard]] std::vector<NameListEntry> nameList(NameGroup group);

} // namespace vantrel
