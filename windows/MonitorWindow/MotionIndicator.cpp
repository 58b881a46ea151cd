#include "windows/MonitorWindow/MotionIndicator.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vantrel {
namespace {

constexpr int Pad = 56; ///< the side of the square the arrow is drawn in
constexpr int Margin = 4;
/// A movement of this many counts or more reaches the square's edge; the
/// arrow grows with the logarithm, so that small movements still show.
constexpr double FullScaleCounts = 1000.0;

double scaled(std::int64_t amount) {
    const double size = std::log10(1.0 + static_cast<double>(std::llabs(amount))) /
                        std::log10(1.0 + FullScaleCounts);
    return std::copysign(std::min(1.0, size), static_cast<double>(amount));
}

std::int64_t amountOf(const std::vector<MotionAxis>& axes, const char* name) {
    const auto found = std::ranges::find_if(
        axes, [&](const MotionAxis& axis) { return axis.relative && axis.name == name; });
    return found == axes.end() ? 0 : found->amount;
}

} // namespace

MotionIndicator::MotionIndicator(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("motion"));
    setAccessibleName(QStringLiteral("Motion: none"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void MotionIndicator::showMotion(const std::vector<MotionAxis>& axes) {
    axes_ = axes;
    setAccessibleName("Motion: " + text());
    update();
}

void MotionIndicator::clear() {
    showMotion({});
}

QString MotionIndicator::text() const {
    if (axes_.empty()) {
        return QStringLiteral("none");
    }
    QStringList parts;
    for (const MotionAxis& axis : axes_) {
        parts << QString::fromStdString(axis.name) + " " +
                     (axis.relative
                          ? QString::asprintf("%+lld", static_cast<long long>(axis.amount))
                          : "at " + QString::number(axis.amount));
    }
    return parts.join(QStringLiteral(", "));
}

QSize MotionIndicator::sizeHint() const {
    return {Pad + 2 * Margin +
                fontMetrics().horizontalAdvance(QStringLiteral("Horizontal Wheel -9999")),
            std::max(Pad + 2 * Margin, 3 * fontMetrics().height())};
}

void MotionIndicator::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(Margin, Margin, Pad, Pad);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(square);
    painter.drawLine(QPointF(square.center().x(), square.top()),
                     QPointF(square.center().x(), square.bottom()));
    painter.drawLine(QPointF(square.left(), square.center().y()),
                     QPointF(square.right(), square.center().y()));
    const double x = scaled(amountOf(axes_, "X"));
    const double y = scaled(amountOf(axes_, "Y"));
    if (x != 0.0 || y != 0.0) {
        const QPointF tip = square.center() + QPointF(x * Pad / 2, y * Pad / 2);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(square.center(), tip);
        painter.setBrush(palette().color(QPalette::Highlight));
        painter.drawEllipse(tip, 3, 3);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect words(Pad + 2 * Margin, Margin, width() - Pad - 3 * Margin, height() - 2 * Margin);
    painter.drawText(words, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     axes_.empty() ? QStringLiteral("No motion yet") : text());
}

} // namespace vantrel
