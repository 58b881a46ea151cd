#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text that came from outside (a file name, a value in a document) shown back
// to the user. Printed as it is, a name holding ESC [31m would drive the
// terminal and a value of half a megabyte would fill it.
namespace vantrel {

/// Characters that move a terminal's cursor or reorder the text around
/// them: C0, DEL and C1 controls, the line and paragraph separators, the
/// direction marks, and the bidirectional embeddings, overrides and
/// isolates.
[[nodiscard]] bool movesOrReorders(char32_t c);

/// `text` with every character that moves or reorders escaped: a byte as
/// \x1b, a longer character as \u202e; bytes that are not UTF-8 as \xff.
/// Line feeds are kept when `keepLineFeeds` is set, for a message of
/// several lines whose names are escaped already.
[[nodiscard]] std::string escapedText(std::string_view text, bool keepLineFeeds = false);

/// `text` as the inside of a JSON string: quotes and backslashes escaped,
/// and every character that moves or reorders as \n, \u001b or \u202e, so
/// that JSON read on a terminal cannot drive or reorder it either; a byte
/// that is not UTF-8 becomes U+FFFD.
[[nodiscard]] std::string jsonEscapedText(std::string_view text);

/// How many characters of a file's path are echoed.
constexpr std::size_t EchoedPathLength = 200;

/// A path echoed in a message: escaped, and a longer one cut in its middle
/// to EchoedPathLength characters with an ellipsis, keeping its start and
/// its end ("/home/a/very-long-…-name.json").
[[nodiscard]] std::string echoedPath(std::string_view path);

/// How many characters of a value are echoed before it is cut.
constexpr std::size_t EchoedValueLength = 40;

/// A value echoed in a message: escaped, and cut after EchoedValueLength
/// characters with an ellipsis.
[[nodiscard]] std::string echoedValue(std::string_view text);

} // namespace vantrel
