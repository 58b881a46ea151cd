#pragma once

#include <QKeyEvent>

namespace vantrel {

/// Return, or Enter on the keypad.
[[nodiscard]] inline bool isEnterKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace vantrel
