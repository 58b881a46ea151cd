#include "windows/controls/HorizontalScrollBar.h"

#include <QKeyEvent>

namespace vantrel {

HorizontalScrollBar::HorizontalScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {}

void HorizontalScrollBar::keyPressEvent(QKeyEvent* event) {
    const bool towardStart = event->key() == Qt::Key_Left;
    if (!towardStart && event->key() != Qt::Key_Right) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    // Right to left, the start lies on the right.
    const bool subtract = towardStart != isRightToLeft();
    triggerAction(subtract ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
}

} // namespace vantrel
