#pragma once

#include <QScrollBar>

namespace vantrel {

/// A horizontal scroll bar whose Left and Right arrow keys move toward the
/// start and the end. Qt's scroll bars invert their keys so that Up moves a
/// vertical bar toward its top, which turns a horizontal bar's Left into a
/// step to the right.
class HorizontalScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit HorizontalScrollBar(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vantrel
