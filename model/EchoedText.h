#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text that came from outside (a file name, a value in a document) shown back
// to the user. Printed as it is, a name holding ESC [31m would drive the
// terminal and a value of half a megabyte would fill it.
namespace vantrel {

/// Characters that move a terminal's cursor or reorder the text around
/// them: C0, DEL and C1 controls, the line and paragraph separators, and
/// the bidirectional embeddings, overrides and isolates.
[[nodiscard]] bool movesOrReorders(char32_t c);

/// `text` with every character that moves or reorders escaped: a byte as
/// \x1b, a longer character as \u202e; bytes that are not UTF-8 as \xff.
/// Line feeds are kept when `keepLineFeeds` is set, for a message of
/// several lines whose names are escaped already.
[[nodiscard]] std::string escapedText(std::string_view text, bool keepLineFeeds = false);

/// How many characters of a value are echoed before it is cut.
constexpr std::size_t EchoedValueLength = 40;

/// A value echoed in a message: escaped, and cut after EchoedValueLength
/// characters with an ellipsis.
[[nodiscard]] std::string echoedValue(std::string_view text);

} // namespace vantrel
