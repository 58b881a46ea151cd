#include "modKeyText.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

using NameCase = std::pair<int, std::string>;

TEST(KeyName, NamesTheListedCodesExactly) {
    const std::vector<NameCase> cases = {
        {0, "Not Used"},
        {3, "Not Used"},
        {4, "A"},
        {29, "Z"},
        {30, "1 !"},
        {35, "6 ^"},
        {39, "0 )"},
        {40, "Enter"},
        {41, "Esc"},
        {42, "Backspace"},
        {43, "Tab"},
        {44, "Space"},
        {45, "- _"},
        {46, "= +"},
        {47, "[ {"},
        {48, "] }"},
        {49, "\\ |"},
        {50, "Not Used"},
        {51, "; :"},
        {52, "' \""},
        {53, "` ~"},
        {54, ", <"},
        {55, ". >"},
        {56, "/ ?"},
        {57, "Caps"},
        {58, "F1"},
        {69, "F12"},
        {70, "Print Screen"},
        {71, "Scrl Lock"},
        {72, "Pause"},
        {73, "Insert"},
        {74, "Home"},
        {75, "Page Up"},
        {76, "Delete"},
        {77, "End"},
        {78, "Page Down"},
        {79, "Right Arrow"},
        {80, "Left Arrow"},
        {81, "Down Arrow"},
        {82, "Up Arrow"},
        {83, "Num Lock"},
        {84, "/ (Num)"},
        {85, "* (Num)"},
        {86, "- (Num)"},
        {87, "+ (Num)"},
        {88, "Enter (Num)"},
        {89, "1 (Num)"},
        {97, "9 (Num)"},
        {98, "0 (Num)"},
        {99, ". (Num)"},
        {100, "Not Used"},
        {101, "Win Apl"},
        {102, "Not Used"},
        {223, "Not Used"},
        {224, "Left Ctrl"},
        {225, "Left Shift"},
        {226, "Left Alt"},
        {227, "Left Win"},
        {228, "Right Ctrl"},
        {229, "Right Shift"},
        {230, "Right Alt"},
        {231, "Right Win"},
        {232, "Not Used"},
        {255, "Not Used"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(keyName(static_cast<std::uint8_t>(code)), name) << "code " << code;
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
        {3, "[ctrl] [shift] "},
        {4, "[alt] "},
        {5, "[ctrl] [alt] "},
        {6, "[shift] [alt] "},
        {7, "[ctrl] [shift] [alt] "},
        {8, ""},
        {15, "[ctrl] [shift] [alt] "},
        {0xF0, ""},
    };
    for (const auto& [bits, text] : cases) {
        EXPECT_EQ(modifierText(static_cast<std::uint8_t>(bits)), text) << "bits " << bits;
    }
    EXPECT_EQ(modifierText(1 + 4) + keyName(4), "[ctrl] [alt] A");
}

TEST(MouseName, NamesThreeButtons) {
    const std::vector<NameCase> cases = {{0, "Left Click"},
                                         {1, "Right Click"},
                                         {2, "Middle Click"},
                                         {3, "Not Used"},
                                         {255, "Not Used"}};
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(mouseName(static_cast<std::uint8_t>(code)), name) << "code " << code;
    }
}

TEST(JoystickName, NamesButtonsAndHatDirections) {
    const std::vector<NameCase> cases = {
        {0, "Button 1"}, {9, "Button 10"}, {63, "Button 64"}, {64, "Hat1 N"},
        {65, "Hat1 NE"}, {66, "Hat1 E"},   {67, "Hat1 SE"},   {68, "Hat1 S"},
        {69, "Hat1 SW"}, {70, "Hat1 W"},   {71, "Hat1 NW"},   {72, "Hat2 N"},
        {87, "Hat3 NW"}, {95, "Hat4 NW"},  {96, "Not Used"},  {255, "Not Used"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(joystickName(static_cast<std::uint8_t>(code)), name) << "code " << code;
    }
}

} // namespace
} // namespace vantrel
