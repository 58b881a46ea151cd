#include "windows/frmKeyboard/KeyboardLayout.h"

#include "keytext/JoystickCodes.h"
#include "keytext/modKeyText.h"

#include <array>

namespace vantrel {
namespace {

// A full-size keyboard on a grid of 600 twips per key width: the main block
// 15 keys wide, the navigation block and the numeric pad each a quarter key
// apart from it. Every button is 15 twips wider and taller than its share of
// the grid, so neighbours draw one common border line.
constexpr std::array<std::int32_t, 6> RowTops{0, 720, 1320, 1920, 2520, 3120};

// clang-format off
constexpr std::array<KeyboardKey, 105> Keys{{
    // row 1
    {41, "Esc", 0, 30, 615, 615},
    {58, "F1", 0, 1230, 615, 615},
    {59, "F2", 0, 1830, 615, 615},
    {60, "F3", 0, 2430, 615, 615},
    {61, "F4", 0, 3030, 615, 615},
    {62, "F5", 0, 3930, 615, 615},
    {63, "F6", 0, 4530, 615, 615},
    {64, "F7", 0, 5130, 615, 615},
    {65, "F8", 0, 5730, 615, 615},
    {66, "F9", 0, 6630, 615, 615},
    {67, "F10", 0, 7230, 615, 615},
    {68, "F11", 0, 7830, 615, 615},
    {69, "F12", 0, 8430, 615, 615},
    {70, "PrtSc", 0, 9180, 615, 615},
    {71, "ScrLk", 0, 9780, 615, 615},
    {72, "Pause", 0, 10380, 615, 615},
    {0, "Not Used", 0, 11130, 2415, 615},
    // row 2
    {53, "` ~", 1, 30, 615, 615},
    {30, "1 !", 1, 630, 615, 615},
    {31, "2 @", 1, 1230, 615, 615},
    {32, "3 #", 1, 1830, 615, 615},
    {33, "4 $", 1, 2430, 615, 615},
    {34, "5 %", 1, 3030, 615, 615},
    {35, "6 ^", 1, 3630, 615, 615},
    {36, "7 &", 1, 4230, 615, 615},
    {37, "8 *", 1, 4830, 615, 615},
    {38, "9 (", 1, 5430, 615, 615},
    {39, "0 )", 1, 6030, 615, 615},
    {45, "- _", 1, 6630, 615, 615},
    {46, "= +", 1, 7230, 615, 615},
    {42, "Backspace", 1, 7830, 1215, 615},
    {73, "Ins", 1, 9180, 615, 615},
    {74, "Home", 1, 9780, 615, 615},
    {75, "PgUp", 1, 10380, 615, 615},
    {83, "Num", 1, 11130, 615, 615},
    {84, "/", 1, 11730, 615, 615},
    {85, "*", 1, 12330, 615, 615},
    {86, "-", 1, 12930, 615, 615},
    // row 3
    {43, "Tab", 2, 30, 915, 615},
    {20, "Q", 2, 930, 615, 615},
    {26, "W", 2, 1530, 615, 615},
    {8, "E", 2, 2130, 615, 615},
    {21, "R", 2, 2730, 615, 615},
    {23, "T", 2, 3330, 615, 615},
    {28, "Y", 2, 3930, 615, 615},
    {24, "U", 2, 4530, 615, 615},
    {12, "I", 2, 5130, 615, 615},
    {18, "O", 2, 5730, 615, 615},
    {19, "P", 2, 6330, 615, 615},
    {47, "[ {", 2, 6930, 615, 615},
    {48, "] }", 2, 7530, 615, 615},
    {49, "\\ |", 2, 8130, 915, 615},
    {76, "Del", 2, 9180, 615, 615},
    {77, "End", 2, 9780, 615, 615},
    {78, "PgDn", 2, 10380, 615, 615},
    {95, "7", 2, 11130, 615, 615},
    {96, "8", 2, 11730, 615, 615},
    {97, "9", 2, 12330, 615, 615},
    {87, "+", 2, 12930, 615, 1215},
    // row 4
    {57, "CapsLk", 3, 30, 1065, 615},
    {4, "A", 3, 1080, 615, 615},
    {22, "S", 3, 1680, 615, 615},
    {7, "D", 3, 2280, 615, 615},
    {9, "F", 3, 2880, 615, 615},
    {10, "G", 3, 3480, 615, 615},
    {11, "H", 3, 4080, 615, 615},
    {13, "J", 3, 4680, 615, 615},
    {14, "K", 3, 5280, 615, 615},
    {15, "L", 3, 5880, 615, 615},
    {51, "; :", 3, 6480, 615, 615},
    {52, "' \"", 3, 7080, 615, 615},
    {40, "Enter", 3, 7680, 1365, 615},
    {92, "4", 3, 11130, 615, 615},
    {93, "5", 3, 11730, 615, 615},
    {94, "6", 3, 12330, 615, 615},
    // row 5
    {225, "Shift", 4, 30, 1365, 615},
    {29, "Z", 4, 1380, 615, 615},
    {27, "X", 4, 1980, 615, 615},
    {6, "C", 4, 2580, 615, 615},
    {25, "V", 4, 3180, 615, 615},
    {5, "B", 4, 3780, 615, 615},
    {17, "N", 4, 4380, 615, 615},
    {16, "M", 4, 4980, 615, 615},
    {54, ", <", 4, 5580, 615, 615},
    {55, ". >", 4, 6180, 615, 615},
    {56, "/ ?", 4, 6780, 615, 615},
    {229, "Shift", 4, 7380, 1665, 615},
    {82, "Up", 4, 9780, 615, 615},
    {89, "1", 4, 11130, 615, 615},
    {90, "2", 4, 11730, 615, 615},
    {91, "3", 4, 12330, 615, 615},
    {88, "Ent", 4, 12930, 615, 1215},
    // row 6
    {224, "Ctrl", 5, 30, 855, 615},
    {227, "Win", 5, 870, 825, 615},
    {226, "Alt", 5, 1680, 825, 615},
    {44, "Space", 5, 2490, 3255, 615},
    {230, "Alt", 5, 5730, 825, 615},
    {231, "Win", 5, 6540, 825, 615},
    {101, "Apl", 5, 7350, 855, 615},
    {228, "Ctrl", 5, 8190, 855, 615},
    {80, "Left", 5, 9180, 615, 615},
    {81, "Down", 5, 9780, 615, 615},
    {79, "Right", 5, 10380, 615, 615},
    {98, "0", 5, 11130, 1215, 615},
    {99, ".", 5, 12330, 615, 615},
}};
// clang-format on

constexpr std::int32_t MouseButtonTop = 0;
constexpr std::int32_t MouseButtonWidth = 735;
constexpr std::int32_t MouseButtonHeight = 1215;

constexpr int JoystickColumns = 8;
constexpr std::int32_t JoystickLeft = 120;
constexpr std::int32_t JoystickColumnStep = 960;
constexpr std::int32_t JoystickButtonWidth = 975;
constexpr std::int32_t JoystickButtonHeight = 495;
// Rows 5..8 start a little lower, leaving a gap between the two halves.
constexpr std::array<std::int32_t, 8> JoystickRowTops{0, 480, 960, 1440, 2040, 2520, 3000, 3480};

constexpr std::int32_t HatLabelWidth = 810;
constexpr std::int32_t HatLabelHeight = 405;
constexpr std::array<PictureLabel, HatCount> HatLabels{{
    {"POV Hat 1", {8640, 720, HatLabelWidth, HatLabelHeight}},
    {"POV Hat 2", {10680, 720, HatLabelWidth, HatLabelHeight}},
    {"POV Hat 3", {8640, 2760, HatLabelWidth, HatLabelHeight}},
    {"POV Hat 4", {10680, 2760, HatLabelWidth, HatLabelHeight}},
}};

/// One direction of a hat's compass, placed relative to the top left of the
/// hat's label: the four main directions 615 square around the label, the
/// diagonals 495 square in the corners between them.
struct CompassPoint {
    const char* caption;
    std::int32_t left;
    std::int32_t top;
    std::int32_t size;
};
constexpr std::array<CompassPoint, HatDirectionCount> Compass{{
    {"N", 90, -720, 615},
    {"NE", 705, -600, 495},
    {"E", HatLabelWidth, -105, 615},
    {"SE", 705, 510, 495},
    {"S", 90, 510, 615},
    {"SW", -405, 510, 495},
    {"W", -615, -105, 615},
    {"NW", -405, -600, 495},
}};

} // namespace

std::span<const KeyboardKey> keyboardKeys() {
    return Keys;
}

std::int32_t keyRowTop(int row) {
    return RowTops.at(static_cast<std::size_t>(row));
}

ButtonPlace keyPlace(const KeyboardKey& key) {
    return {key.left, keyRowTop(key.row), key.width, key.height};
}

std::vector<ActionButton> mouseButtons() {
    return {
        {0, "Left", {120, MouseButtonTop, MouseButtonWidth, MouseButtonHeight}},
        {2, "Middle", {840, MouseButtonTop, MouseButtonWidth, MouseButtonHeight}},
        {1, "Right", {1560, MouseButtonTop, MouseButtonWidth, MouseButtonHeight}},
    };
}

ButtonPlace mouseOutline() {
    return {0, 0, 2415, 3615};
}

std::vector<ActionButton> joystickButtons() {
    std::vector<ActionButton> buttons;
    for (int b = 0; b < JoystickButtonCount; ++b) {
        const std::int32_t left = JoystickLeft + JoystickColumnStep * (b % JoystickColumns);
        const std::int32_t top = JoystickRowTops.at(static_cast<std::size_t>(b / JoystickColumns));
        buttons.push_back({static_cast<std::uint8_t>(b),
                           joystickName(static_cast<std::uint8_t>(b)),
                           {left, top, JoystickButtonWidth, JoystickButtonHeight}});
    }
    int code = FirstHatCode;
    for (const PictureLabel& label : HatLabels) {
        for (const CompassPoint& point : Compass) {
            buttons.push_back({static_cast<std::uint8_t>(code++),
                               point.caption,
                               {label.place.left + point.left, label.place.top + point.top,
                                point.size, point.size}});
        }
    }
    return buttons;
}

std::span<const PictureLabel> hatLabels() {
    return HatLabels;
}

} // namespace vantrel
