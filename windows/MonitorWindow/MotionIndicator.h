#pragma once

#include "monitor/MotionSummary.h"

#include <QWidget>
#include <vector>

namespace vantrel {

/// The trackball's and spinner's motion as the monitor last summed it: an
/// arrow for X and Y, and each axis by name with its amount.
class MotionIndicator : public QWidget {
    Q_OBJECT
public:
    explicit MotionIndicator(QWidget* parent);

    void showMotion(const std::vector<MotionAxis>& axes);
    void clear();
    [[nodiscard]] const std::vector<MotionAxis>& motion() const { return axes_; }
    /// "X -15, Y +35", or "none" before any motion.
    [[nodiscard]] QString text() const;

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<MotionAxis> axes_;
};

} // namespace vantrel
