#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// The text with the five characters that HTML gives a meaning (& < > " ')
/// replaced by references, so that it shows as written wherever it goes in a
/// page, between tags or inside a quoted attribute. Bytes that are not
/// well-formed UTF-8 (a file name on a system that allows any bytes) become
/// U+FFFD, so that the page is always valid UTF-8.
[[nodiscard]] std::string htmlText(std::string_view text);

} // namespace vantrel
