#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>

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

/// A value, or the failure that kept a function from making it: what a
/// function that makes something returns, so that nothing comes back through
/// an out-argument beside a Result. `Failure` is Result<Kind> or a Result
/// that says more (the node or file it concerns); it is never ok() here.
template <typename T, typename Kind, typename Failure = Result<Kind>>
class [[nodiscard]] Expected {
    static_assert(std::is_base_of_v<Result<Kind>, Failure>);

public:
    // Not explicit: a function returns its value, or its failure, as it is.
    /// A value made with T's own defaults.
    Expected()
        : value_(std::in_place) {}
    /// The value, or what converts to it (a pointer to a derived class).
    template <typename U,
              std::enable_if_t<
                  std::is_convertible_v<U&&, T> && !std::is_convertible_v<U&&, Failure>, int> = 0>
    Expected(U&& value)
        : value_(std::forward<U>(value)) {}
    /// A failed Result; one that is ok() would claim a value that is not there.
    Expected(Failure failure)
        : failure_(std::move(failure)) {}

    [[nodiscard]] bool ok() const { return value_.has_value(); }
    /// The value; asking a failure for one throws std::bad_optional_access.
    [[nodiscard]] T& value() & { return value_.value(); }
    [[nodiscard]] const T& value() const& { return value_.value(); }
    [[nodiscard]] T&& value() && { return std::move(value_).value(); }

    /// Why there is no value; an empty, ok() Failure when there is one, so
    /// that a caller may word either case the same way.
    [[nodiscard]] const Failure& failure() const { return failure_; }
    [[nodiscard]] Kind kind() const { return failure_.kind; }
    [[nodiscard]] const std::string& detail() const { return failure_.detail; }

private:
    std::optional<T> value_;
    Failure failure_;
};

} // namespace vantrel
