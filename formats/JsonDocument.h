#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

namespace vantrel {

/// A configuration nests six levels at most (a step of a macro sequence);
/// deeper text is refused with room to spare.
constexpr std::size_t MaximumJsonNesting = 8;

/// Parses JSON text. Unlike a plain parse, a field given twice in one object
/// is a fault rather than a silent overwrite, so that no line a user wrote is
/// ignored. Text nested deeper than MaximumJsonNesting is refused too. Throws
/// ImportError naming the place of the fault.
[[nodiscard]] nlohmann::json parseJsonDocument(std::string_view text);

} // namespace vantrel
