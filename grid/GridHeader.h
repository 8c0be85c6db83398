#pragma once

#include <QFont>
#include <QHeaderView>

namespace grid {

class GridDataModel;
class TDBGridColumnEh;

// The grid's column header: the title row and, under it, the filter row.
// Titles are dragged to move columns and their right borders to resize
// them; the filter row shows each column's filter text and takes no part in
// moving or resizing.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    GridHeader(GridDataModel& model, QWidget* parent);

    // The filter row is drawn in the grid's data font; the titles in the
    // header's own font.
    void setFilterFont(const QFont& font);
    int titleHeight() const;
    int filterRowHeight() const;
    // In the header's viewport.
    QRect titleRect(int logicalIndex) const;
    QRect filterCellRect(int logicalIndex) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintTitle(QPainter* painter, const QRect& rect, const TDBGridColumnEh& column) const;
    void paintFilterCell(QPainter* painter, const QRect& rect, const TDBGridColumnEh& column) const;
    QRect sectionRect(int logicalIndex) const;
    bool inFilterRow(const QMouseEvent* event) const;

    GridDataModel& m_model;
    QFont m_filterFont;
    bool m_titlePressed = false;
};

}  // namespace grid
