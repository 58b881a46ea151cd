#include "windows/MonitorWindow/PanelGrid.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <optional>

namespace vantrel {
namespace {

constexpr int Padding = 3;
constexpr int Gap = 2;
constexpr int TextLines = 3;
/// The list view keeps a few pixels of its width for itself, besides the
/// room of a scroll bar it lays out its items as though it were there.
constexpr int LayoutMargin = 4;
/// Room for a count beside the title.
constexpr const char* WidestCount = " 99\u00d7";

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
        const bool maybe = seen == 0 && index.data(PanelGrid::MaybeRole).toBool();
        const QPalette& palette = option.palette;
        QColor fill = palette.color(QPalette::Base);
        QColor text = palette.color(QPalette::Text);
        if (held) {
            fill = palette.color(QPalette::Highlight);
            text = palette.color(QPalette::HighlightedText);
        } else if (seen > 0) {
            fill = PanelGrid::seenColour();
            text = Qt::black;
        } else if (maybe) {
            fill = PanelGrid::maybeColour();
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
        const QString count = seen > 0 ? QStringLiteral("%1\u00d7").arg(seen)
                              : maybe  ? QStringLiteral("?")
                                       : QString();
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

// A soft green and a soft amber that keep dark text readable on light and
// dark styles alike, and differ in lightness as well as in hue.
QColor PanelGrid::seenColour() {
    return {0xc8, 0xef, 0xc4};
}

QColor PanelGrid::maybeColour() {
    return {0xff, 0xd8, 0x80};
}

PanelGrid::PanelGrid(const QString& name, QString widestTitle, int columns, QWidget* parent)
    : QListWidget(parent)
    , widestTitle_(std::move(widestTitle))
    , columns_(columns) {
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

int PanelGrid::layoutSlack() const {
    return LayoutMargin + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

int PanelGrid::columnsFor(int width) const {
    const int inside = std::max(1, width - 2 * frameWidth() - layoutSlack());
    return std::max(1, std::min(columns_, inside / cellSize().width()));
}

QSize PanelGrid::cellSize() const {
    QFont bold = font();
    bold.setBold(true);
    const int width =
        QFontMetrics(bold).horizontalAdvance(widestTitle_ + QString::fromUtf8(WidestCount));
    return {width + 2 * Padding + Gap, TextLines * fontMetrics().height() + Padding + Gap};
}

int PanelGrid::heightForWidth(int width) const {
    const int columns = columnsFor(width);
    const int rows = std::max(1, (count() + columns - 1) / columns);
    return rows * cellSize().height() + 2 * frameWidth();
}

QSize PanelGrid::sizeHint() const {
    const int columns = std::max(1, std::min(columns_, count()));
    const int width = columns * cellSize().width() + 2 * frameWidth() + layoutSlack();
    return {width, heightForWidth(width)};
}

QSize PanelGrid::minimumSizeHint() const {
    return {cellSize().width() + 2 * frameWidth(), cellSize().height() + 2 * frameWidth()};
}

void PanelGrid::setCells(std::vector<PanelCell> cells) {
    const std::optional<ActionSource> current =
        currentRow() >= 0 && currentRow() < static_cast<int>(cells_.size())
            ? std::optional(cells_.at(static_cast<std::size_t>(currentRow())).source)
            : std::nullopt;
    cells_ = std::move(cells);
    clear();
    for (std::size_t row = 0; row < cells_.size(); ++row) {
        const PanelCell& cell = cells_[row];
        auto* item = new QListWidgetItem(qText(cell.title), this);
        item->setData(LabelRole, qText(cell.label));
        item->setData(AssignmentRole, qText(cell.assignment));
        item->setData(SeenRole, 0);
        item->setData(HeldRole, false);
        item->setData(MaybeRole, false);
        item->setToolTip(qText(cell.name) +
                         (cell.label.empty() ? QString() : "\n" + qText(cell.label)) + "\n" +
                         qText(cell.assignment));
        item->setSizeHint(cellSize());
        updateSpoken(static_cast<int>(row));
    }
    if (current && rowOf(*current) >= 0) {
        setCurrentRow(rowOf(*current));
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
    updateSpoken(row);
}

void PanelGrid::setMaybe(int row, bool maybe) {
    item(row)->setData(MaybeRole, maybe);
    updateSpoken(row);
}

bool PanelGrid::maybe(int row) const {
    return item(row)->data(MaybeRole).toBool();
}

int PanelGrid::seen(int row) const {
    return item(row)->data(SeenRole).toInt();
}

bool PanelGrid::held(int row) const {
    return item(row)->data(HeldRole).toBool();
}

void PanelGrid::updateSpoken(int row) {
    item(row)->setData(
        Qt::AccessibleTextRole,
        qText(cells_.at(static_cast<std::size_t>(row)).spoken(seen(row), maybe(row), held(row))));
}

} // namespace vantrel
