#pragma once

#include <QLabel>

namespace vantrel {

/// A one-line label that shows as much of its text as fits, cut with "…"
/// (in the middle for a path, whose file name and start both matter), and
/// the whole text as its tooltip and to a screen reader. It never asks for
/// more width than a few characters, so a long text cannot widen the window
/// or push its neighbours aside.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    ElidedLabel(Qt::TextElideMode mode, QWidget* parent);

    void setFullText(const QString& text);
    [[nodiscard]] const QString& fullText() const { return fullText_; }
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    Qt::TextElideMode mode_;
    QString fullText_;
};

} // namespace vantrel
