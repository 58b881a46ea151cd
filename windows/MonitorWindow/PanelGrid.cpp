#include "windows/MonitorWindow/PanelGrid.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace vantrel {
namespace {

constexpr int Padding = 4;
constexpr int Gap = 2;
constexpr int TextLines = 3;
/// Wide enough for "Input 108" and a count beside it.
constexpr const char* WidestTitle = "Input 108  999\u00d7";

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

/// Paints one cell: its title and count on the first line, then its label
/// and its assignment, each cut with "…" where it is too long (the tooltip
/// and the spoken name hold the whole).
class CellPainter final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect.adjusted(Gap / 2, Gap / 2, -Gap / 2, -Gap / 2);
        const int seen = index.data(PanelGrid::SeenRole).toInt();
        const bool held = index.data(PanelGrid::HeldRole).toBool();
        const QPalette& palette = option.palette;
        QColor fill = palette.color(QPalette::Base);
        QColor text = palette.color(QPalette::Text);
        if (held) {
            fill = palette.color(QPalette::Highlight);
            text = palette.color(QPalette::HighlightedText);
        } else if (seen > 0) {
            // A soft green that keeps dark text readable on light and dark
            // styles alike.
            fill = QColor(0xc8, 0xef, 0xc4);
            text = Qt::black;
        }
        painter->save();
        painter->fillRect(cell, fill);
        painter->setPen(QPen(palette.color(QPalette::Mid), 1));
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
        if ((option.state & QStyle::State_HasFocus) != 0) {
            painter->setPen(QPen(palette.color(QPalette::Highlight), 2));
            painter->drawRect(cell.adjusted(1, 1, -2, -2));
        }
        const QRect inner = cell.adjusted(Padding, Padding / 2, -Padding, -Padding / 2);
        const QFontMetrics metrics(option.font);
        const int line = metrics.height();
        painter->setPen(text);
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        const QString count = seen > 0 ? QStringLiteral("%1\u00d7").arg(seen) : QString();
        const int countWidth = QFontMetrics(bold).horizontalAdvance(count);
        painter->drawText(QRect(inner.left(), inner.top(), inner.width() - countWidth, line),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight,
                                                        inner.width() - countWidth));
        painter->drawText(QRect(inner.left(), inner.top(), inner.width(), line),
                          Qt::AlignRight | Qt::AlignVCenter, count);
        painter->setFont(option.font);
        const QStringList lower = {index.data(PanelGrid::LabelRole).toString(),
                                   index.data(PanelGrid::AssignmentRole).toString()};
        for (int i = 0; i < lower.size(); ++i) {
            painter->drawText(
                QRect(inner.left(), inner.top() + (i + 1) * line, inner.width(), line),
                Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(lower[i], Qt::ElideRight, inner.width()));
        }
        painter->restore();
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& /*option*/,
                                 const QModelIndex& /*index*/) const override {
        return static_cast<const PanelGrid*>(parent())->cellSize();
    }
};

} // namespace

PanelGrid::PanelGrid(const QString& name, QWidget* parent)
    : QListWidget(parent) {
    setAccessibleName(name);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSpacing(0);
    setItemDelegate(new CellPainter(this));
    setGridSize(cellSize());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize PanelGrid::cellSize() const {
    QFont bold = font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(WidestTitle));
    return {width + 2 * Padding + Gap, TextLines * fontMetrics().height() + Padding + Gap};
}

int PanelGrid::heightForWidth(int width) const {
    const QSize cell = cellSize();
    const int inside = std::max(1, width - 2 * frameWidth());
    const int columns = std::max(1, inside / cell.width());
    const int rows = (count() + columns - 1) / columns;
    return rows * cell.height() + 2 * frameWidth();
}

QSize PanelGrid::sizeHint() const {
    const int width = QListWidget::sizeHint().width();
    return {width, heightForWidth(width)};
}

void PanelGrid::setCells(std::vector<PanelCell> cells) {
    cells_ = std::move(cells);
    clear();
    for (std::size_t row = 0; row < cells_.size(); ++row) {
        const PanelCell& cell = cells_[row];
        auto* item = new QListWidgetItem(qText(cell.title), this);
        item->setData(LabelRole, qText(cell.label));
        item->setData(AssignmentRole, qText(cell.assignment));
        item->setData(SeenRole, 0);
        item->setData(HeldRole, false);
        item->setToolTip(qText(cell.title) +
                         (cell.label.empty() ? QString() : "\n" + qText(cell.label)) + "\n" +
                         qText(cell.assignment));
        item->setSizeHint(cellSize());
        updateSpoken(static_cast<int>(row));
    }
    updateGeometry();
}

int PanelGrid::rowOf(const ActionSource& source) const {
    const auto found = std::ranges::find(cells_, source, &PanelCell::source);
    return found == cells_.end() ? -1 : static_cast<int>(found - cells_.begin());
}

void PanelGrid::setSeen(int row, int count) {
    item(row)->setData(SeenRole, count);
    updateSpoken(row);
}

void PanelGrid::setHeld(int row, bool held) {
    item(row)->setData(HeldRole, held);
}

int PanelGrid::seen(int row) const {
    return item(row)->data(SeenRole).toInt();
}

bool PanelGrid::held(int row) const {
    return item(row)->data(HeldRole).toBool();
}

void PanelGrid::updateSpoken(int row) {
    item(row)->setData(Qt::AccessibleTextRole,
                       qText(cells_.at(static_cast<std::size_t>(row)).spoken(seen(row))));
}

} // namespace vantrel
