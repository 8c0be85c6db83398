#pragma once

#include <functional>

#include <QColor>
#include <QFont>
#include <QWidget>

class QTableView;

namespace grid {

class GridDataModel;
class TDBGridColumn;

// The footer rows under a table's data rows: one cell per shown column,
// kept in line with the table's title sections as columns are resized,
// moved or scrolled, and a fixed cell under the indicator column. What
// each cell reads comes from the function the table gives.
class GridFooter : public QWidget {
    Q_OBJECT

public:
    using CellText = std::function<QString(int row, const TDBGridColumn& column)>;

    GridFooter(QTableView& table, const GridDataModel& model, CellText cellText);

    QFont footerFont() const { return m_font; }
    void setFooterFont(const QFont& font);
    QColor footerColor() const { return m_color; }
    void setFooterColor(const QColor& color);
    // Negative counts as 0.
    int rowCount() const { return m_rowCount; }
    void setRowCount(int count);

    int rowHeight() const;
    QSize sizeHint() const override;
    // The cell of a footer row under a column (by model column), in this
    // widget's coordinates; empty when the column is hidden or out of view.
    QRect cellRect(int row, int modelColumn) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int indicatorWidth() const;

    QTableView& m_table;
    const GridDataModel& m_model;
    CellText m_cellText;
    QFont m_font;
    QColor m_color;
    int m_rowCount = 1;
};

}  // namespace grid
