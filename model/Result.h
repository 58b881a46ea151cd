#pragma once

#include <string>

// How every layer says what went wrong: a kind that code can act on and a
// detail in the system's or the library's own words for the person. Each
// front end words a kind once, at its edge; nothing parses a detail back.
namespace vantrel {

/// `Kind` is an enum whose first enumerator (value 0) means success.
template <typename Kind>
struct Result {
    Kind kind{};
    std::string detail; ///< what the system or library said; may be empty

    [[nodiscard]] bool ok() const { return kind == Kind{}; }

    friend bool operator==(const Result&, const Result&) = default;
};

} // namespace vantrel
