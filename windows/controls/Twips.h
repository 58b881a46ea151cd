#pragma once

#include <QRect>
#include <cmath>
#include <cstdint>

// The windows are laid out in twips (1/1440 inch). Converting the layout to
// logical pixels at the classic 15 twips per pixel keeps its proportions, and
// Qt's own device-pixel scaling then serves dense screens.
namespace vantrel {

constexpr int TwipsPerPixel = 15;

/// Rounds to the nearest integer, a half to the even neighbour.
[[nodiscard]] inline std::int32_t roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto lower = static_cast<std::int32_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && lower % 2 != 0)) {
        return lower + 1;
    }
    return lower;
}

[[nodiscard]] inline int pixels(std::int32_t twips) {
    return roundHalfEven(static_cast<double>(twips) / TwipsPerPixel);
}

[[nodiscard]] constexpr std::int32_t twipsFromPixels(int pixelCount) {
    return pixelCount * TwipsPerPixel;
}

/// A layout rectangle (left, top, width, height in twips) in logical pixels.
[[nodiscard]] inline QRect twipsRect(std::int32_t left, std::int32_t top, std::int32_t width,
                                     std::int32_t height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace vantrel
