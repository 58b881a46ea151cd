#include "windows/frmMain/ScrollLayout.h"

#include "windows/controls/Twips.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel {

std::int32_t scrollUnitFor(std::int32_t rowHeight) {
    return roundHalfEven(static_cast<double>(rowHeight) / 5.0);
}

std::int16_t scrollMaximum(const ScrollLayout& layout, std::int32_t scrollBarHeight) {
    const double steps = static_cast<double>(layout.RowsHeight - scrollBarHeight) /
                         static_cast<double>(layout.ScrollUnit);
    const std::int32_t rounded = roundHalfEven(steps);
    return static_cast<std::int16_t>(
        std::clamp<std::int32_t>(rounded, std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max()));
}

std::int32_t rowTop(const ScrollLayout& layout, int index, std::int32_t rowHeight, int value) {
    const std::int32_t offset = layout.ScrollUnit * value;
    return index * rowHeight - offset;
}

bool rowShown(std::int32_t top, std::int32_t rowHeight, std::int32_t scrollBarHeight) {
    return -rowHeight < top && top < scrollBarHeight;
}

int valueShowingRow(const ScrollLayout& layout, int index, std::int32_t rowHeight,
                    std::int32_t scrollBarHeight, int value) {
    const std::int32_t rowStart = index * rowHeight;
    const std::int32_t rowEnd = rowStart + rowHeight;
    // The least value that brings the bottom edge up into the strip, and the
    // greatest that keeps the top edge inside it.
    const auto unit = static_cast<double>(layout.ScrollUnit);
    const auto bottomIn = static_cast<int>(std::ceil((rowEnd - scrollBarHeight) / unit));
    const auto topIn = static_cast<int>(std::floor(rowStart / unit));
    return std::min(std::max(value, bottomIn), topIn);
}

} // namespace vantrel
