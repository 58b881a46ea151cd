#include "keytext/modKeyText.h"

#include "keytext/JoystickCodes.h"

#include <array>
#include <string_view>

namespace vantrel {
namespace {

// Indexed by usage ID; an empty entry has no name of its own.
constexpr std::array<std::string_view, 256> keyNameTable() {
    std::array<std::string_view, 256> names{};
    constexpr std::array<std::string_view, 26> letters = {
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
        "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        names[4 + i] = letters[i];
    }
    constexpr std::array<std::string_view, 79> from30 = {"1 !",
                                                         "2 @",
                                                         "3 #",
                                                         "4 $",
                                                         "5 %",
                                                         "6 ^",
                                                         "7 &",
                                                         "8 *",
                                                         "9 (",
                                                         "0 )",
                                                         "Enter",
                                                         "Esc",
                                                         "Backspace",
                                                         "Tab",
                                                         "Space",
                                                         "- _",
                                                         "= +",
                                                         "[ {",
                                                         "] }",
                                                         "\\ |",
                                                         "",
                                                         "; :",
                                                         "' \"",
                                                         "` ~",
                                                         ", <",
                                                         ". >",
                                                         "/ ?",
                                                         "Caps",
                                                         "F1",
                                                         "F2",
                                                         "F3",
                                                         "F4",
                                                         "F5",
                                                         "F6",
                                                         "F7",
                                                         "F8",
                                                         "F9",
                                                         "F10",
                                                         "F11",
                                                         "F12",
                                                         "Print Screen",
                                                         "Scrl Lock",
                                                         "Pause",
                                                         "Insert",
                                                         "Home",
                                                         "Page Up",
                                                         "Delete",
                                                         "End",
                                                         "Page Down",
                                                         "Right Arrow",
                                                         "Left Arrow",
                                                         "Down Arrow",
                                                         "Up Arrow",
                                                         "Num Lock",
                                                         "/ (Num)",
                                                         "* (Num)",
                                                         "- (Num)",
                                                         "+ (Num)",
                                                         "Enter (Num)",
                                                         "1 (Num)",
                                                         "2 (Num)",
                                                         "3 (Num)",
                                                         "4 (Num)",
                                                         "5 (Num)",
                                                         "6 (Num)",
                                                         "7 (Num)",
                                                         "8 (Num)",
                                                         "9 (Num)",
                                                         "0 (Num)",
                                                         ". (Num)",
                                                         "",
                                                         "Win Apl",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         ""};
    for (std::size_t i = 0; i < from30.size(); ++i) {
        names[30 + i] = from30[i];
    }
    constexpr std::array<std::string_view, 8> modifiers = {"Left Ctrl", "Left Shift", "Left Alt",
                                                           "Left Win",  "Right Ctrl", "Right Shift",
                                                           "Right Alt", "Right Win"};
    for (std::size_t i = 0; i < modifiers.size(); ++i) {
        names[224 + i] = modifiers[i];
    }
    return names;
}

constexpr auto KeyNames = keyNameTable();

} // namespace

std::string keyName(std::uint8_t keyValue) {
    const std::string_view name = KeyNames[keyValue];
    return std::string(name.empty() ? NotUsedName : name);
}

std::string modifierText(std::uint8_t keyOperator) {
    std::string text;
    if (keyOperator & 1) {
        text += "[ctrl] ";
    }
    if (keyOperator & 2) {
        text += "[shift] ";
    }
    if (keyOperator & 4) {
        text += "[alt] ";
    }
    return text;
}

std::string mouseName(std::uint8_t keyValue) {
    constexpr std::array<std::string_view, 3> names = {"Left Click", "Right Click", "Middle Click"};
    return std::string(keyValue < names.size() ? names[keyValue] : NotUsedName);
}

std::string joystickName(std::uint8_t keyValue) {
    constexpr std::array<std::string_view, HatDirectionCount> directions = {"N", "NE", "E", "SE",
                                                                            "S", "SW", "W", "NW"};
    if (keyValue < JoystickButtonCount) {
        return "Button " + std::to_string(keyValue + 1);
    }
    if (keyValue < JoystickCodeEnd) {
        const int hatCode = keyValue - FirstHatCode;
        return "Hat" + std::to_string(hatCode / HatDirectionCount + 1) + " " +
               std::string(directions[static_cast<std::size_t>(hatCode % HatDirectionCount)]);
    }
    return std::string(NotUsedName);
}

} // namespace vantrel
