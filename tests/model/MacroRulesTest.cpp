#include "model/MacroRules.h"

#include "tests/support/ModelBuilders.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;

TEST(MacroRules, CompactingClosesGapsAndKeepsOrder) {
    InputMacro macro = macroOf({keyDown(KeyA), MacroStep{}, keyUp(KeyA)}, {keyUp(0), delay(4)}, 3);
    macro.step(63, Activation) = keyDown(KeyB);
    compactSequences(macro);
    EXPECT_EQ(macro, macroOf({keyDown(KeyA), keyUp(KeyA), keyDown(KeyB)}, {delay(4)}, 3));
}

struct UnmatchedCase {
    const char* name;
    InputMacro macro;
    std::optional<int> unmatched;
};

TEST(MacroRules, FindsThePressThatNoLaterStepReleases) {
    const std::vector<UnmatchedCase> cases = {
        {"empty", InputMacro{}, std::nullopt},
        {"press then release", macroOf({keyDown(KeyA), keyUp(KeyA)}), std::nullopt},
        {"released in the deactivation sequence", macroOf({keyDown(KeyA)}, {keyUp(KeyA)}),
         std::nullopt},
        {"released only before the press", macroOf({keyUp(KeyA)}, {keyDown(KeyA)}), 64},
        {"one release answers two presses", macroOf({keyDown(KeyA), keyDown(KeyA), keyUp(KeyA)}),
         std::nullopt},
        {"delays and releases only", macroOf({delay(9), keyUp(KeyB)}), std::nullopt},
        {"a release of another kind does not count",
         macroOf({press(KeyTypeMouse, KeyA), keyUp(KeyA)}), 0},
        {"the first of several", macroOf({keyDown(KeyA), keyDown(KeyB), keyUp(KeyA)}), 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findUnmatchedPress(c.macro), c.unmatched) << c.name;
    }
}

} // namespace
} // namespace vantrel
