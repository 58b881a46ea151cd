#include "keytext/modKeyText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel {
namespace {

/// What one naming function reads for the codes from `first` on, one code
/// after another, so that a name off by one code shows.
struct NameRun {
    std::string (*name)(std::uint8_t);
    int first;
    std::vector<std::string> names;
};

TEST(CodeNames, NameTheListedCodesExactly) {
    const std::vector<NameRun> runs = {
        {keyName, 0, {"Not Used"}},
        {keyName, 3, {"Not Used", "A"}},
        {keyName, 29, {"Z", "1 !"}},
        {keyName, 35, {"6 ^"}},
        {keyName, 39, {"0 )", "Enter", "Esc", "Backspace", "Tab",      "Space", "- _",
                       "= +", "[ {",   "] }", "\\ |",      "Not Used", "; :",   "' \"",
                       "` ~", ", <",   ". >", "/ ?",       "Caps",     "F1"}},
        {keyName, 69, {"F12",         "Print Screen", "Scrl Lock",  "Pause",    "Insert",
                       "Home",        "Page Up",      "Delete",     "End",      "Page Down",
                       "Right Arrow", "Left Arrow",   "Down Arrow", "Up Arrow", "Num Lock",
                       "/ (Num)",     "* (Num)",      "- (Num)",    "+ (Num)",  "Enter (Num)",
                       "1 (Num)"}},
        {keyName, 97, {"9 (Num)", "0 (Num)", ". (Num)", "Not Used", "Win Apl", "Not Used"}},
        {keyName,
         223,
         {"Not Used", "Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl",
          "Right Shift", "Right Alt", "Right Win", "Not Used"}},
        {keyName, 255, {"Not Used"}},
        // Ctrl, Shift and Alt in that order; Key Repeat and higher bits have no text.
        {modifierText,
         0,
         {"", "[ctrl] ", "[shift] ", "[ctrl] [shift] ", "[alt] ", "[ctrl] [alt] ", "[shift] [alt] ",
          "[ctrl] [shift] [alt] ", ""}},
        {modifierText, 15, {"[ctrl] [shift] [alt] "}},
        {modifierText, 0xF0, {""}},
        {mouseName, 0, {"Left Click", "Right Click", "Middle Click", "Not Used"}},
        {mouseName, 255, {"Not Used"}},
        {joystickName, 0, {"Button 1"}},
        {joystickName, 9, {"Button 10"}},
        {joystickName,
         63,
         {"Button 64", "Hat1 N", "Hat1 NE", "Hat1 E", "Hat1 SE", "Hat1 S", "Hat1 SW", "Hat1 W",
          "Hat1 NW", "Hat2 N"}},
        {joystickName, 95, {"Hat4 NW", "Not Used"}},
        {joystickName, 255, {"Not Used"}},
    };
    for (const NameRun& run : runs) {
        for (std::size_t i = 0; i < run.names.size(); ++i) {
            const int code = run.first + static_cast<int>(i);
            EXPECT_EQ(run.name(static_cast<std::uint8_t>(code)), run.names[i]) << "code " << code;
        }
    }
}

} // namespace
} // namespace vantrel
