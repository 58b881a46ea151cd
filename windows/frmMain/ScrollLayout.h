#pragma once

#include <cstdint>

// The arithmetic of the scrolling column of input rows, in twips: which rows
// the strip beside the scroll bar shows, and how far the bar can go.
namespace vantrel {

/// Design height of one input row.
constexpr std::int32_t RowHeightTwips = 555;

/// Values fixed when the main window loads.
struct ScrollLayout {
    /// Bottom edge of the last row.
    std::int32_t RowsHeight = 0;
    /// Outer window height minus scroll bar height: what is not client area.
    std::int32_t HeightMargin = 0;
    /// How far the rows move for one step of the scroll bar: a fifth of a row.
    std::int32_t ScrollUnit = 0;
};

/// One fifth of a row height, rounded half to even.
[[nodiscard]] std::int32_t scrollUnitFor(std::int32_t rowHeight);

/// The scroll bar maximum for a bar (and strip) `scrollBarHeight` high,
/// rounded half to even and kept within 16 bits. Zero or negative once the
/// strip is as tall as the whole column.
[[nodiscard]] std::int16_t scrollMaximum(const ScrollLayout& layout, std::int32_t scrollBarHeight);

/// Where row `index` lies at scroll value `value`.
[[nodiscard]] std::int32_t rowTop(const ScrollLayout& layout, int index, std::int32_t rowHeight,
                                  int value);

/// Whether a row at `top` overlaps the strip. A row whose edge only touches
/// the strip's edge is not shown.
[[nodiscard]] bool rowShown(std::int32_t top, std::int32_t rowHeight, std::int32_t scrollBarHeight);

/// The scroll value nearest to `value` at which row `index` lies wholly in
/// the strip; where the strip is lower than a row, the one that puts the
/// row's top edge at the strip's top. May lie outside the bar's range.
[[nodiscard]] int valueShowingRow(const ScrollLayout& layout, int index, std::int32_t rowHeight,
                                  std::int32_t scrollBarHeight, int value);

} // namespace vantrel
