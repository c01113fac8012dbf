#pragma once
// The results grid `sgResF`: Ideal, Real and Real − Ideal per factor, with the
// difference column coloured against the difference threshold.

#include "geometry/grid_cells.h"
#include "profile/profile_record.h"

#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace tavo {

// 4 × 14 cells of 44 × 20 with a fixed header row and label column, painted
// by the widget itself; 184 × 298, no editing, scrolling, resizing or range
// selection. One current cell (column 1, row 1 at start) moves with mouse
// clicks and the arrow keys.
class ResultsGrid : public QWidget {
public:
    explicit ResultsGrid(QWidget *parent = nullptr);

    // `FillResultsGrid`: writes every cell but the top-left one from the
    // profile and keeps its totals for colouring the difference column.
    void FillResultsGrid(const ProfileRecord &profile);

    // The difference threshold as the threshold field holds it (its sign does
    // not matter). The grid reads it whenever it paints; setting it repaints
    // the whole grid at once, so the window calls it on every change.
    void setThreshold(std::int32_t threshold);
    std::int32_t threshold() const { return threshold_; }

    QString cellText(int column, int row) const;
    // The current cell as (column, row).
    QPoint currentCell() const { return current_; }
    // A cell's rectangle in widget coordinates.
    static QRect cellRect(int column, int row);

    QSize sizeHint() const override;

    // Where a cell's text is drawn: its right end (widget x), and a horizontal
    // scale below 1 when even the whole cell is too narrow for it. fits is
    // false when the text had to leave the place its rule gives it.
    struct CellTextPlace {
        int right = 0;
        double scale = 1.0;
        bool fits = true;
    };
    CellTextPlace cellTextPlace(int column, int row) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // `sgResFDrawCell` followed by the grid's own decorations of the cell.
    void sgResFDrawCell(QPainter &painter, int column, int row, bool selected, bool focused);
    void setCurrentCell(int column, int row);

    ResultsGridCells cells_;
    ProfileRecord profile_;
    std::int32_t threshold_ = 0;
    QPoint current_{1, 1};
    QFont font_;
};

} // namespace tavo
