#include "model/Result.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

enum class Trouble { None, Missing, Broken };

/// A failure that says more than kind and detail, as a node or a line does.
struct PlacedTrouble : Result<Trouble> {
    int line = 0;
};

using Made = Expected<std::string, Trouble, PlacedTrouble>;

PlacedTrouble trouble(Trouble kind, std::string detail, int line) {
    PlacedTrouble placed;
    placed.kind = kind;
    placed.detail = std::move(detail);
    placed.line = line;
    return placed;
}

TEST(Expected, HoldsEitherTheValueOrTheWholeFailure) {
    struct Case {
        Made made;
        std::optional<std::string> value;
        PlacedTrouble failure;
    };
    const std::vector<Case> cases = {
        {Made("bytes"), "bytes", {}},
        {Made(), "", {}},
        {trouble(Trouble::Missing, "no such file", 0), std::nullopt,
         trouble(Trouble::Missing, "no such file", 0)},
        {trouble(Trouble::Broken, "", 7), std::nullopt, trouble(Trouble::Broken, "", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.value_or(c.failure.detail));
        EXPECT_EQ(c.made.ok(), c.value.has_value());
        EXPECT_EQ(c.made.kind(), c.failure.kind);
        EXPECT_EQ(c.made.detail(), c.failure.detail);
        EXPECT_EQ(c.made.failure().line, c.failure.line);
        if (c.value) {
            EXPECT_EQ(c.made.value(), *c.value);
        } else {
            EXPECT_THROW((void)c.made.value(), std::bad_optional_access);
        }
    }
    // What cannot be copied is handed over, as a derived class's pointer.
    struct Base {
        virtual ~Base() = default;
    };
    struct Derived : Base {};
    Expected<std::unique_ptr<Base>, Trouble> owned = std::make_unique<Derived>();
    EXPECT_NE(std::move(owned).value(), nullptr);
}

} // namespace
} // namespace vantrel
