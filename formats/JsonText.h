#pragma once

#include <nlohmann/json.hpp>
#include <string>

// The one way the program writes JSON: a file it saves, a line a script
// reads. Text the program did not make (a device path, a serial number) may
// hold bytes that are not UTF-8; they are replaced by U+FFFD, so that the
// document is still printed rather than lost to an exception.
namespace vantrel {

using JsonObject = nlohmann::ordered_json;

/// The value on one line, fields in the order they were added.
[[nodiscard]] std::string jsonLine(const JsonObject& value);

/// The value over several lines, indented by `indent` spaces a level.
[[nodiscard]] std::string jsonText(const JsonObject& value, int indent);

} // namespace vantrel
