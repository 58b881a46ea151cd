#include "windows/frmMain/RowNavigation.h"

#include "windows/controls/Twips.h"
#include "windows/frmMain/InputRow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

namespace vantrel {
namespace {

bool isJumpToColumnEnd(const QKeyEvent& key) {
    return key.matches(QKeySequence::MoveToStartOfDocument) ||
           key.matches(QKeySequence::MoveToEndOfDocument);
}

} // namespace

RowNavigation::RowNavigation(QWidget& client, QScrollBar& scrollBar,
                             const std::array<InputRow*, InputCount>& rows,
                             const ScrollLayout& layout)
    : client_(client)
    , scrollBar_(scrollBar)
    , rows_(rows)
    , layout_(layout) {
    // The rows and settings take no wheel events themselves; turning the
    // wheel anywhere over them scrolls the column as over the scroll bar.
    client_.installEventFilter(this);
    guardListsFromTheWheel();
}

InputRow& RowNavigation::row(int index) const {
    return *rows_.at(static_cast<std::size_t>(index));
}

std::int32_t RowNavigation::stripHeight() const {
    return twipsFromPixels(scrollBar_.height());
}

// ---------------------------------------------------------------- scrolling

void RowNavigation::placeRows() {
    const std::int32_t strip = stripHeight();
    const int value = scrollBar_.sliderPosition();
    for (InputRow* inputRow : rows_) {
        const std::int32_t rowHeight = twipsFromPixels(inputRow->height());
        const std::int32_t top = rowTop(layout_, inputRow->index(), rowHeight, value);
        if (rowShown(top, rowHeight, strip)) {
            inputRow->move(0, pixels(top));
            inputRow->show();
        } else {
            inputRow->hide();
        }
    }
    keepFocusInSight();
}

void RowNavigation::guardListsFromTheWheel() {
    // Settings do not mark the configuration changed, so a wheel turn that
    // changed a list on its way over it would go into the device unseen. A
    // list takes the focus only from a click or Tab, and the wheel only while
    // it has the focus.
    for (QComboBox* list : client_.findChildren<QComboBox*>()) {
        list->setFocusPolicy(Qt::StrongFocus);
        list->installEventFilter(this);
    }
}

bool RowNavigation::wheelScrollsRows(QObject* watched) const {
    const auto* list = qobject_cast<const QComboBox*>(watched);
    return watched == &client_ || (list != nullptr && !list->hasFocus());
}

bool RowNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && wheelScrollsRows(watched)) {
        QCoreApplication::sendEvent(&scrollBar_, event);
        return true;
    }
    // A list would take Ctrl+Home and Ctrl+End as its first and last entry.
    if (event->type() == QEvent::KeyPress && watched != &client_ &&
        isJumpToColumnEnd(*static_cast<QKeyEvent*>(event))) {
        return moveThroughRows(*static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- keyboard

const InputRow* RowNavigation::rowHolding(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto* inputRow = qobject_cast<const InputRow*>(widget)) {
            return inputRow;
        }
    }
    return nullptr;
}

bool RowNavigation::tabThroughRows(const QWidget* from, bool next) {
    const InputRow* fromRow = rowHolding(from);
    if (fromRow == nullptr) {
        return false;
    }
    // Qt asks this of a focused control as its row is hidden; once every row
    // is placed, keepFocusInSight() moves the focus to a row in sight.
    if (!fromRow->isVisible()) {
        return true;
    }
    const int stop = 2 * fromRow->index() + (fromRow->buttonHasFocus() ? 1 : 0);
    const int to = next ? stop + 1 : stop - 1;
    if (to < 0 || to >= 2 * InputCount) {
        return false;
    }
    focusRow(to / 2, to % 2 == 1, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void RowNavigation::enterColumn(const QWidget* from, const QWidget* to, bool next) {
    // Qt's order skips hidden rows.
    if (rowHolding(from) != nullptr || rowHolding(to) == nullptr) {
        return;
    }
    if (next) {
        focusRow(0, false, Qt::TabFocusReason);
    } else {
        focusRow(InputCount - 1, true, Qt::BacktabFocusReason);
    }
}

bool RowNavigation::moveThroughRows(const QKeyEvent& key) {
    // Ctrl+Home and Ctrl+End reach the first and last row from anywhere in
    // the window; the page keys act only in the column.
    const InputRow* from = rowHolding(client_.window()->focusWidget());
    const bool onButton = from == nullptr || from->buttonHasFocus();
    if (key.matches(QKeySequence::MoveToStartOfDocument)) {
        scrollBar_.setValue(scrollBar_.minimum());
        focusRow(0, onButton, Qt::OtherFocusReason);
        return true;
    }
    if (key.matches(QKeySequence::MoveToEndOfDocument)) {
        scrollBar_.setValue(scrollBar_.maximum());
        focusRow(InputCount - 1, onButton, Qt::OtherFocusReason);
        return true;
    }
    return from != nullptr && pageThroughRows(*from, key);
}

bool RowNavigation::pageThroughRows(const InputRow& from, const QKeyEvent& key) {
    // A page of the scroll bar is a whole number of rows; the focus moves by
    // as many rows as the column does.
    const int rowsPerPage =
        scrollBar_.pageStep() * layout_.ScrollUnit / twipsFromPixels(from.height());
    int value = scrollBar_.value();
    int target = from.index();
    if (key.matches(QKeySequence::MoveToNextPage)) {
        value += scrollBar_.pageStep();
        target += rowsPerPage;
    } else if (key.matches(QKeySequence::MoveToPreviousPage)) {
        value -= scrollBar_.pageStep();
        target -= rowsPerPage;
    } else {
        return false;
    }
    const bool onButton = from.buttonHasFocus();
    scrollBar_.setValue(value);
    focusRow(std::clamp(target, 0, InputCount - 1), onButton, Qt::OtherFocusReason);
    return true;
}

void RowNavigation::showRow(int index) {
    const std::int32_t rowHeight = twipsFromPixels(row(index).height());
    scrollBar_.setValue(
        valueShowingRow(layout_, index, rowHeight, stripHeight(), scrollBar_.value()));
}

void RowNavigation::focusRow(int index, bool onButton, Qt::FocusReason reason) {
    showRow(index);
    row(index).takeFocus(onButton, reason);
}

void RowNavigation::keepFocusInSight() {
    const InputRow* focused = rowHolding(client_.window()->focusWidget());
    if (focused == nullptr || focused->isVisible()) {
        return;
    }
    const auto shown = [](const InputRow* inputRow) {
        return inputRow->isVisible();
    };
    const auto first = std::find_if(rows_.begin(), rows_.end(), shown);
    const auto last = std::find_if(rows_.rbegin(), rows_.rend(), shown);
    if (first == rows_.end()) {
        return;
    }
    const int nearest = std::clamp(focused->index(), (*first)->index(), (*last)->index());
    row(nearest).takeFocus(focused->buttonHasFocus(), Qt::OtherFocusReason);
}

} // namespace vantrel
