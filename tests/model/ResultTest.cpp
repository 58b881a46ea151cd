#include "model/Result.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

enum class Trouble { None, Missing };

/// A failure that says more than kind and detail, as a node or a line does.
struct PlacedTrouble : Result<Trouble> {
    int line = 0;
};

using Made = Expected<std::string, Trouble, PlacedTrouble>;

TEST(Expected, HoldsEitherTheValueOrTheWholeFailure) {
    PlacedTrouble missing;
    missing.kind = Trouble::Missing;
    missing.detail = "no such file";
    missing.line = 7;
    const std::vector<std::pair<Made, PlacedTrouble>> cases = {
        {Made("bytes"), {}}, {Made(), {}}, {Made(missing), missing}};
    for (const auto& [made, failure] : cases) {
        EXPECT_EQ(made.ok(), failure.ok());
        EXPECT_EQ(made.kind(), failure.kind);
        EXPECT_EQ(made.detail(), failure.detail);
        EXPECT_EQ(made.failure().line, failure.line);
    }
    EXPECT_EQ(Made("bytes").value(), "bytes");
    EXPECT_EQ(Made().value(), "");
    EXPECT_THROW((void)Made(missing).value(), std::bad_optional_access);
    // What cannot be copied is handed over, as what converts to the value.
    Expected<std::unique_ptr<const int>, Trouble> owned = std::make_unique<int>(7);
    EXPECT_EQ(*std::move(owned).value(), 7);
}

} // namespace
} // namespace vantrel
