#pragma once

#include <QWidget>

namespace grid {

class TDBGrid;

// The footer rows under the grid's data rows: one cell per shown column,
// kept in line with the title header's sections as columns are resized,
// moved or scrolled. The grid says what each cell reads.
class GridFooter : public QWidget {
    Q_OBJECT

public:
    explicit GridFooter(TDBGrid& grid);

    int rowHeight() const;
    QSize sizeHint() const override;
    // The cell of a footer row under a column (by model column), in this
    // widget's coordinates; empty when the column is hidden or out of view.
    QRect cellRect(int row, int modelColumn) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int indicatorWidth() const;

    TDBGrid& m_grid;
};

}  // namespace grid
