#pragma once

// How the encoder numbers what it sends as a joystick: buttons 1..64 are
// codes 0..63, then the four hats' eight directions each, clockwise from
// north (N, NE, E, SE, S, SW, W, NW): code FirstHatCode + 8·hat + direction.
namespace vantrel {

constexpr int JoystickButtonCount = 64;
constexpr int FirstHatCode = JoystickButtonCount;
constexpr int HatCount = 4;
constexpr int HatDirectionCount = 8;
/// One past the last hat direction's code.
constexpr int JoystickCodeEnd = FirstHatCode + HatCount * HatDirectionCount;

} // namespace vantrel
