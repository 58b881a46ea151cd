#include "ScrollLayout.h"

#include "Twips.h"

#include <algorithm>
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

} // namespace vantrel
