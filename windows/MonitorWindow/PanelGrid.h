#pragma once

#include "windows/MonitorWindow/PanelCells.h"

#include <QColor>
#include <QListWidget>
#include <vector>

namespace vantrel {

/// A grid of cells, one per control, that light while their control is
/// held and stay marked once it was seen, with how often. One stop of the
/// Tab key; the arrow keys go from cell to cell, and a screen reader reads
/// each cell's input, label, assignment and whether it was seen.
class PanelGrid : public QListWidget {
    Q_OBJECT
public:
    enum Role {
        LabelRole = Qt::UserRole,
        AssignmentRole,
        SeenRole,  ///< how often the control was seen
        HeldRole,  ///< true while the control is held
        MaybeRole, ///< a press not told apart may have been this control's
    };

    /// The cell colours, which the window's legend shows too.
    [[nodiscard]] static QColor seenColour();
    [[nodiscard]] static QColor maybeColour();

    /// `widestTitle` is the longest title a cell must show whole;
    /// `columns` how many columns it asks for.
    PanelGrid(const QString& name, QString widestTitle, int columns, QWidget* parent);

    void setCells(std::vector<PanelCell> cells);
    [[nodiscard]] const std::vector<PanelCell>& cells() const { return cells_; }
    /// The row of the control's cell; -1 when it has none. New cells keep
    /// the current cell where the control has one.
    [[nodiscard]] int rowOf(const ActionSource& source) const;

    void setSeen(int row, int count);
    void setHeld(int row, bool held);
    void setMaybe(int row, bool maybe);
    [[nodiscard]] int seen(int row) const;
    [[nodiscard]] bool held(int row) const;
    [[nodiscard]] bool maybe(int row) const;

    /// The size of one cell with the grid's font.
    [[nodiscard]] QSize cellSize() const;
    /// The height that shows every cell in `width` pixels without scrolling.
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    /// As wide as the columns asked for, as high as showing every cell
    /// takes at that width.
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

private:
    void updateSpoken(int row);
    [[nodiscard]] int columnsFor(int width) const;
    [[nodiscard]] int layoutSlack() const;

    QString widestTitle_;
    int columns_;
    std::vector<PanelCell> cells_;
};

} // namespace vantrel
