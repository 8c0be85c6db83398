#pragma once

#include <functional>

#include <QFont>
#include <QHeaderView>

namespace grid {

class GridDataModel;
class TDBGridColumn;

// The grid's column header: the title row and, under it, the filter row.
// Titles are dragged to move columns and their right borders to resize
// them, as far as the header's sections are movable and resizable; the
// filter row shows each column's filter text and takes no part in moving or
// resizing; a press in a filter cell is reported for the filter editor.
//
// The title of a column with a title button is drawn pressed while the left
// mouse button, pressed on it, is held over it; releasing it there clicks it.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    GridHeader(GridDataModel& model, QWidget* parent);

    // The filter row is drawn in the grid's data font; the titles in the
    // header's own font.
    void setFilterFont(const QFont& font);
    // Without titles the header is the filter row alone.
    bool titlesShown() const { return m_titlesShown; }
    void setTitlesShown(bool shown);
    // 0 while the titles are not shown.
    int titleHeight() const;
    int filterRowHeight() const;
    // In the header's viewport.
    QRect titleRect(int logicalIndex) const;
    QRect filterCellRect(int logicalIndex) const;

    QSize sizeHint() const override;

    // Asked before a title button is pressed; false leaves it up. Without
    // it every title button can be pressed.
    void setTitleButtonCheck(std::function<bool(TDBGridColumn& column)> check);

signals:
    void titleButtonClicked(int logicalIndex, Qt::KeyboardModifiers modifiers);
    // A mouse button went down in a filter cell; `position` is in the viewport.
    void filterCellPressed(int logicalIndex, QPoint position, Qt::MouseButton button);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintTitle(QPainter* painter, const QRect& rect, const TDBGridColumn& column,
                    bool pressed) const;
    void paintFilterCell(QPainter* painter, const QRect& rect, const TDBGridColumn& column) const;
    QRect sectionRect(int logicalIndex) const;
    bool inFilterRow(const QMouseEvent* event) const;
    // The column whose title is under the event, -1 off the titles.
    int titleAt(const QMouseEvent* event) const;
    void pressTitle(int logicalIndex);
    void setTitleHeldDown(bool heldDown);

    GridDataModel& m_model;
    QFont m_filterFont;
    bool m_titlesShown = true;
    bool m_titlePressed = false;
    std::function<bool(TDBGridColumn&)> m_titleButtonCheck;
    // The title button being pressed, -1 for none, and whether the mouse is over it.
    int m_pressedTitle = -1;
    bool m_titleHeldDown = false;
};

}  // namespace grid
