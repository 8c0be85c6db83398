#include "grid/view/GridHeader.h"

#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include "grid/columns/TDBGridColumn.h"
#include "grid/look/GridMetrics.h"
#include "grid/model/GridDataModel.h"

namespace grid {

namespace {

constexpr int kTextMargin = 2;
constexpr int kMarkerSize = 8;

void paintSortMarker(QPainter* painter, const QRect& area, TSortMarker marker,
                     const QPalette& palette) {
    const int x = area.right() - kMarkerSize;
    const int y = area.center().y() - kMarkerSize / 4;
    const int half = kMarkerSize / 2;
    QPolygon triangle;
    if (marker == smDown)
        triangle << QPoint(x, y - half / 2) << QPoint(x + kMarkerSize, y - half / 2)
                 << QPoint(x + half, y + half / 2 + 1);
    else
        triangle << QPoint(x, y + half / 2 + 1) << QPoint(x + kMarkerSize, y + half / 2 + 1)
                 << QPoint(x + half, y - half / 2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.color(QPalette::ButtonText));
    painter->drawPolygon(triangle);
    painter->restore();
}

}  // namespace

GridHeader::GridHeader(GridDataModel& model, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_model(model), m_filterFont(font()) {
    setObjectName(QStringLiteral("TitleHeader"));
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(2);
    setSectionResizeMode(QHeaderView::Interactive);
    // The header reports presses that are not on a border; a double click
    // presses the title again.
    connect(this, &QHeaderView::sectionPressed, this, &GridHeader::pressTitle);
    connect(this, &QHeaderView::sectionDoubleClicked, this, &GridHeader::pressTitle);
}

void GridHeader::setTitleButtonCheck(std::function<bool(TDBGridColumn&)> check) {
    m_titleButtonCheck = std::move(check);
}

void GridHeader::setFilterFont(const QFont& font) {
    m_filterFont = font;
    updateGeometry();
    viewport()->update();
}

void GridHeader::setTitlesShown(bool shown) {
    if (shown == m_titlesShown)
        return;
    m_titlesShown = shown;
    updateGeometry();
    viewport()->update();
}

int GridHeader::titleHeight() const {
    return m_titlesShown ? cellHeight(font()) : 0;
}

int GridHeader::filterRowHeight() const {
    return cellHeight(m_filterFont);
}

QRect GridHeader::sectionRect(int logicalIndex) const {
    if (logicalIndex < 0 || logicalIndex >= count() || isSectionHidden(logicalIndex))
        return {};
    return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                 titleHeight() + filterRowHeight());
}

QRect GridHeader::titleRect(int logicalIndex) const {
    const QRect section = sectionRect(logicalIndex);
    return section.isNull() ? section : section.adjusted(0, 0, 0, -filterRowHeight());
}

QRect GridHeader::filterCellRect(int logicalIndex) const {
    const QRect section = sectionRect(logicalIndex);
    return section.isNull() ? section : section.adjusted(0, titleHeight(), 0, 0);
}

QSize GridHeader::sizeHint() const {
    return QSize(length(), titleHeight() + filterRowHeight());
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    const TDBGridColumn& column = m_model.columnAt(logicalIndex);
    const int titleBottom = rect.top() + titleHeight();
    if (m_titlesShown)
        paintTitle(painter, QRect(rect.left(), rect.top(), rect.width(), titleHeight()), column,
                   logicalIndex == m_pressedTitle && m_titleHeldDown);
    paintFilterCell(painter,
                    QRect(rect.left(), titleBottom, rect.width(), rect.bottom() + 1 - titleBottom),
                    column);
}

void GridHeader::paintTitle(QPainter* painter, const QRect& rect, const TDBGridColumn& column,
                            bool pressed) const {
    QRect text = rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
    if (pressed) {
        // Sunken and a shade darker, with caption and marker one pixel down
        // and to the right.
        const QBrush fill(fixedColor(palette()).darker(112));
        qDrawShadePanel(painter, rect, palette(), true, 1, &fill);
        text.translate(1, 1);
    } else {
        paintFixedCell(painter, rect, palette());
    }
    const TSortMarker marker = column.title().sortMarker();
    if (marker != smNone) {
        paintSortMarker(painter, text, marker, palette());
        text.setRight(text.right() - kMarkerSize - kTextMargin);
    }
    painter->save();
    painter->setClipRect(text);
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(text, toQtAlignment(column.title().alignment()) | Qt::TextSingleLine,
                      column.displayCaption());
    painter->restore();
}

void GridHeader::paintFilterCell(QPainter* painter, const QRect& rect,
                                 const TDBGridColumn& column) const {
    const TSTColumnFilter& filter = column.stFilter();
    if (!filter.visible()) {
        paintFixedCell(painter, rect, palette());
        return;
    }
    painter->save();
    painter->fillRect(rect, filterCellColor(palette()));
    QRect text = rect.adjusted(kTextMargin, 0, -kTextMargin - 1, -1);
    if (filter.listSource()) {
        const int buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const QRect button(rect.right() - buttonWidth, rect.top(), buttonWidth, rect.height() - 1);
        paintFixedCell(painter, button, palette());
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = button.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, this);
        text.setRight(button.left() - kTextMargin);
    }
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setClipRect(text);
    painter->setFont(m_filterFont);
    painter->setPen(QColor(Qt::blue));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      filter.filterText());
    painter->restore();
}

bool GridHeader::inFilterRow(const QMouseEvent* event) const {
    return event->position().y() >= titleHeight();
}

int GridHeader::titleAt(const QMouseEvent* event) const {
    const QPoint pos = event->position().toPoint();
    if (pos.y() < 0 || pos.y() >= titleHeight())
        return -1;
    return logicalIndexAt(pos.x());
}

void GridHeader::pressTitle(int logicalIndex) {
    if (logicalIndex < 0)
        return;
    TDBGridColumn& column = m_model.columnAt(logicalIndex);
    if (!column.title().titleButton() || (m_titleButtonCheck && !m_titleButtonCheck(column)))
        return;
    m_pressedTitle = logicalIndex;
    setTitleHeldDown(true);
}

void GridHeader::setTitleHeldDown(bool heldDown) {
    if (heldDown == m_titleHeldDown)
        return;
    m_titleHeldDown = heldDown;
    updateSection(m_pressedTitle);
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    if (inFilterRow(event)) {
        event->accept();
        const QPoint position = event->position().toPoint();
        const int logicalIndex = logicalIndexAt(position.x());
        if (logicalIndex >= 0)
            emit filterCellPressed(logicalIndex, position, event->button());
        return;
    }
    // A press on a title focuses the grid, as a press on a cell does.
    QWidget* view = parentWidget();
    if (view && (view->focusPolicy() & Qt::ClickFocus))
        view->setFocus(Qt::MouseFocusReason);
    m_titlePressed = true;
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
    // Over the filter row, a move that did not start on a title neither
    // resizes nor shows the resize cursor.
    if (!m_titlePressed && inFilterRow(event)) {
        unsetCursor();
        event->accept();
        return;
    }
    if (m_pressedTitle >= 0)
        setTitleHeldDown(titleAt(event) == m_pressedTitle);
    QHeaderView::mouseMoveEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    int clicked = -1;
    if (event->button() == Qt::LeftButton && m_pressedTitle >= 0) {
        if (titleAt(event) == m_pressedTitle)
            clicked = m_pressedTitle;
        setTitleHeldDown(false);
        m_pressedTitle = -1;
    }
    if (!std::exchange(m_titlePressed, false)) {
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
    if (clicked >= 0)
        emit titleButtonClicked(clicked, event->modifiers());
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    if (inFilterRow(event)) {
        event->accept();
        return;
    }
    m_titlePressed = true;
    QHeaderView::mouseDoubleClickEvent(event);
}

}  // namespace grid
