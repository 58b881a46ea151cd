#include "modKeyText.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

using NameCase = std::pair<int, std::string>;

/// Names from `first` on, one code after another, so that a name off by one
/// code shows.
struct NameRun {
    int first;
    std::vector<std::string> names;
};

TEST(KeyName, NamesTheListedCodesExactly) {
    const std::vector<NameRun> runs = {
        {0, {"Not Used"}},
        {3, {"Not Used", "A"}},
        {29, {"Z", "1 !"}},
        {35, {"6 ^"}},
        {39, {"0 )",  "Enter",    "Esc", "Backspace", "Tab", "Space", "- _", "= +", "[ {",  "] }",
              "\\ |", "Not Used", "; :", "' \"",      "` ~", ", <",   ". >", "/ ?", "Caps", "F1"}},
        {69, {"F12",        "Print Screen", "Scrl Lock", "Pause",     "Insert",      "Home",
              "Page Up",    "Delete",       "End",       "Page Down", "Right Arrow", "Left Arrow",
              "Down Arrow", "Up Arrow",     "Num Lock",  "/ (Num)",   "* (Num)",     "- (Num)",
              "+ (Num)",    "Enter (Num)",  "1 (Num)"}},
        {97, {"9 (Num)", "0 (Num)", ". (Num)", "Not Used", "Win Apl", "Not Used"}},
        {223,
         {"Not Used", "Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl",
          "Right Shift", "Right Alt", "Right Win", "Not Used"}},
        {255, {"Not Used"}},
    };
    for (const NameRun& run : runs) {
        for (std::size_t i = 0; i < run.names.size(); ++i) {
            const int code = run.first + static_cast<int>(i);
            EXPECT_EQ(keyName(static_cast<std::uint8_t>(code)), run.names[i]) << "code " << code;
        }
    }
}

TEST(KeyName, HasExactly104DistinctNames) {
    std::set<std::string> names;
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        const std::string name = keyName(static_cast<std::uint8_t>(code));
        if (name != "Not Used") {
            ++named;
            names.insert(name);
        }
    }
    EXPECT_EQ(named, 104);
    EXPECT_EQ(names.size(), 104U) << "two codes share a name";
}

TEST(ModifierText, PrefixesCtrlShiftAltInThatOrder) {
    const std::vector<NameCase> cases = {
        {0, ""},
        {1, "[ctrl] "},
        {2, "[shift] "},
        {4, "[alt] "},
        {7, "[ctrl] [shift] [alt] "},
        {8, ""},
        {15, "[ctrl] [shift] [alt] "},
        {0xF0, ""},
    };
    for (const auto& [bits, text] : cases) {
        EXPECT_EQ(modifierText(static_cast<std::uint8_t>(bits)), text) << "bits " << bits;
    }
}

TEST(MouseName, NamesThreeButtons) {
    const std::vector<NameCase> cases = {
        {0, "Left Click"}, {1, "Right Click"}, {2, "Middle Click"},
        {3, "Not Used"},   {255, "Not Used"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(mouseName(static_cast<std::uint8_t>(code)), name) << "code " << code;
    }
}

TEST(JoystickName, NamesButtonsAndHatDirections) {
    const std::vector<NameCase> cases = {
        {0, "Button 1"}, {9, "Button 10"}, {63, "Button 64"}, {64, "Hat1 N"},   {65, "Hat1 NE"},
        {66, "Hat1 E"},  {67, "Hat1 SE"},  {68, "Hat1 S"},    {69, "Hat1 SW"},  {70, "Hat1 W"},
        {71, "Hat1 NW"}, {72, "Hat2 N"},   {95, "Hat4 NW"},   {96, "Not Used"}, {255, "Not Used"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(joystickName(static_cast<std::uint8_t>(code)), name) << "code " << code;
    }
}

} // namespace
} // namespace vantrel
