#pragma once

#include <nlohmann/json.hpp>
#include <string>

// A document built with the JSON library, written out through the program's
// one JSON writer (model/JsonWriter.h), which never fails on its text.
namespace vantrel {

using JsonObject = nlohmann::ordered_json;

/// The value on one line, fields in the order they were added.
[[nodiscard]] std::string jsonLine(const JsonObject& value);

/// The value over several lines, indented by `indent` spaces a level.
[[nodiscard]] std::string jsonText(const JsonObject& value, int indent);

} // namespace vantrel
