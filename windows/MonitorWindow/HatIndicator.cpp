#include "windows/MonitorWindow/HatIndicator.h"

#include "keytext/modKeyText.h"
#include "monitor/EventDecoder.h"

#include <QPainter>
#include <array>

namespace vantrel {
namespace {

constexpr int Box = 14;
constexpr int Directions = 8;

/// Where each direction sits in the 3 × 3 compass, N first, clockwise.
constexpr std::array<QPoint, Directions> Places = {QPoint(1, 0), QPoint(2, 0), QPoint(2, 1),
                                                   QPoint(2, 2), QPoint(1, 2), QPoint(0, 2),
                                                   QPoint(0, 1), QPoint(0, 0)};

QString hatTitle(int hat) {
    return QStringLiteral("Hat %1").arg(hat + 1);
}

} // namespace

HatIndicator::HatIndicator(int hat, QWidget* parent)
    : QWidget(parent)
    , hat_(hat) {
    setObjectName(QStringLiteral("hat_%1").arg(hat));
    setDirection(std::nullopt);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void HatIndicator::setDirection(std::optional<int> direction) {
    direction_ = direction;
    // A direction in the names the assignment captions use ("Hat1 NE").
    setAccessibleName(direction ? QString::fromStdString(joystickName(static_cast<std::uint8_t>(
                                      *hatCode(hat_, 0, -1) + *direction)))
                                : hatTitle(hat_) + ": centred");
    update();
}

QSize HatIndicator::sizeHint() const {
    return {std::max(3 * Box, fontMetrics().horizontalAdvance(hatTitle(3))) + 2,
            3 * Box + fontMetrics().height() + 2};
}

void HatIndicator::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, width(), fontMetrics().height()), Qt::AlignHCenter,
                     hatTitle(hat_));
    const QPoint origin((width() - 3 * Box) / 2, fontMetrics().height() + 1);
    for (int d = 0; d < Directions; ++d) {
        const QRect box(origin + Places.at(static_cast<std::size_t>(d)) * Box, QSize(Box, Box));
        const bool lit = direction_ == d;
        painter.fillRect(box.adjusted(1, 1, -1, -1),
                         palette().color(lit ? QPalette::Highlight : QPalette::Base));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(1, 1, -2, -2));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawEllipse(QRect(origin + QPoint(Box + Box / 2 - 2, Box + Box / 2 - 2), QSize(4, 4)));
}

} // namespace vantrel
