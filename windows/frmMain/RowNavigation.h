#pragma once

#include "model/modSettings.h"
#include "windows/frmMain/ScrollLayout.h"

#include <QObject>
#include <array>

class QKeyEvent;
class QScrollBar;
class QWidget;

namespace vantrel {

class InputRow;

/// How the column of input rows scrolls and how the keyboard moves through
/// it. The strip beside the scroll bar shows the rows the bar's position
/// brings into it; Tab stops at each row's selected option and then its
/// button, from the first row to the last, shown or not; Page Up and Page
/// Down move the column and the focus by a page, Ctrl+Home and Ctrl+End to
/// either end; and the row that gets the focus is scrolled just into view.
/// The wheel over the rows and the settings scrolls the column. The settings
/// keep Qt's own Tab order.
class RowNavigation : public QObject {
public:
    /// Over the rows and scroll bar on `client`, whose layout the window
    /// fills in when it loads.
    RowNavigation(QWidget& client, QScrollBar& scrollBar,
                  const std::array<InputRow*, InputCount>& rows, const ScrollLayout& layout);

    /// Places the rows for the slider's position, showing only those in the
    /// strip, and moves the focus from a row scrolled out of sight to the
    /// nearest row in sight.
    void placeRows();

    /// Tab (`next`) or Shift+Tab from the focused control `from`: true when
    /// it moved the focus to the row's other stop or the next row's.
    [[nodiscard]] bool tabThroughRows(const QWidget* from, bool next);
    /// After Qt's own order moved the focus from `from` to `to`: a column
    /// entered from outside is entered at its first row going forward and
    /// at its last going back.
    void enterColumn(const QWidget* from, const QWidget* to, bool next);
    /// Ctrl+Home and Ctrl+End from anywhere, Page Up and Page Down from a
    /// row; false for other keys, which are left to the window.
    [[nodiscard]] bool moveThroughRows(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] static const InputRow* rowHolding(const QWidget* widget);
    [[nodiscard]] InputRow& row(int index) const;
    [[nodiscard]] std::int32_t stripHeight() const;
    void guardListsFromTheWheel();
    [[nodiscard]] bool wheelScrollsRows(QObject* watched) const;
    [[nodiscard]] bool pageThroughRows(const InputRow& from, const QKeyEvent& key);
    void showRow(int index);
    void focusRow(int index, bool onButton, Qt::FocusReason reason);
    void keepFocusInSight();

    QWidget& client_;
    QScrollBar& scrollBar_;
    const std::array<InputRow*, InputCount>& rows_;
    const ScrollLayout& layout_;
};

} // namespace vantrel
