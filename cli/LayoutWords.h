#pragma once

#include "layouts/FrontEndLayout.h"

#include <string>

// The tool's words for what reading a front end's file found.
namespace vantrel::cli {

/// Why the file gave no layout, as one line naming `source` (and the line
/// of the file, for malformed text).
[[nodiscard]] std::string layoutFailureLine(const std::string& source,
                                            const LayoutFailure& failure);

/// A bind that did not come over as the file has it, as one line naming
/// `source` and the line of the file.
[[nodiscard]] std::string layoutNoteLine(const std::string& source, const LayoutNote& note);

} // namespace vantrel::cli
