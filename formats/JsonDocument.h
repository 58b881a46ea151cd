#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace vantrel {

/// Parses JSON text. Unlike a plain parse, a field given twice in one object
/// is a fault rather than a silent overwrite, so that no line a user wrote is
/// ignored. Throws ImportError naming the place of the fault.
[[nodiscard]] nlohmann::json parseJsonDocument(std::string_view text);

} // namespace vantrel
