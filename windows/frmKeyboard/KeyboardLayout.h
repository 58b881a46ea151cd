#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The pictures of the assignment dialog as data: where each key, mouse and
// joystick button sits inside its picture area, in twips. The dialog builds
// the buttons from these tables in one loop each.
namespace vantrel {

/// A button's place inside its picture area, in twips.
struct ButtonPlace {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

/// One key of the keyboard picture. `usage` is the key's HID keyboard usage
/// ID (0 for "Not Used"); `row` counts from 0 at the function-key row.
struct KeyboardKey {
    std::uint8_t usage;
    const char* caption;
    int row;
    std::int32_t left;
    std::int32_t width;
    std::int32_t height;
};

/// A button of the mouse or joystick picture; `code` is the action it
/// assigns.
struct ActionButton {
    std::uint8_t code;
    std::string caption;
    ButtonPlace place;
};

/// A caption drawn in a picture, such as a hat's name inside its compass.
struct PictureLabel {
    const char* caption;
    ButtonPlace place;
};

constexpr std::int32_t KeyboardPictureWidth = 13575;
constexpr std::int32_t KeyboardPictureHeight = 3735;
constexpr std::int32_t JoystickPictureWidth = 13575;
constexpr std::int32_t JoystickPictureHeight = 3975;
/// Neighbouring buttons share their one-pixel border: a button reaches this
/// far into the next one.
constexpr std::int32_t SharedBorder = 15;

/// The 105 keys in six rows: main block, navigation block and numeric pad.
[[nodiscard]] std::span<const KeyboardKey> keyboardKeys();
/// The top of key row `row` (0..5).
[[nodiscard]] std::int32_t keyRowTop(int row);
[[nodiscard]] ButtonPlace keyPlace(const KeyboardKey& key);

/// "Left", "Middle" and "Right", coded 0, 2 and 1.
[[nodiscard]] std::vector<ActionButton> mouseButtons();
/// The outline drawn around the mouse buttons.
[[nodiscard]] ButtonPlace mouseOutline();

/// Buttons 1..64 (codes 0..63) in eight rows of eight, then the four hats'
/// compasses of eight directions each (codes 64 + 8·hat + direction).
[[nodiscard]] std::vector<ActionButton> joystickButtons();
/// "POV Hat 1" .. "POV Hat 4", each at the centre of its compass.
[[nodiscard]] std::span<const PictureLabel> hatLabels();

} // namespace vantrel
