#include "grid/GridHeader.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include "grid/GridDataModel.h"
#include "grid/GridMetrics.h"
#include "grid/TDBGridColumnEh.h"

namespace grid {

namespace {

constexpr int kTextMargin = 2;
constexpr int kMarkerSize = 8;

// The filter row's background: the window colour moved 8/255 of the way
// towards the fixed colour, channel by channel.
QColor filterCellColor(const QPalette& palette) {
    const QColor window = windowColor(palette);
    const QColor fixed = fixedColor(palette);
    const auto channel = [](int from, int to) {
        const long value = std::lround(from + (to - from) * 8.0 / 255.0);
        return static_cast<int>(std::clamp(value, 0L, 255L));
    };
    return QColor(channel(window.red(), fixed.red()), channel(window.green(), fixed.green()),
                  channel(window.blue(), fixed.blue()));
}

void paintSortMarker(QPainter* painter, const QRect& area, TSortMarkerEh marker,
                     const QPalette& palette) {
    const int x = area.right() - kMarkerSize;
    const int y = area.center().y() - kMarkerSize / 4;
    const int half = kMarkerSize / 2;
    QPolygon triangle;
    if (marker == smDownEh)
        triangle << QPoint(x, y - half / 2) << QPoint(x + kMarkerSize, y - half / 2)
                 << QPoint(x + half, y + half / 2 + 1);
    else
        triangle << QPoint(x, y + half / 2 + 1) << QPoint(x + kMarkerSize, y + half / 2 + 1)
                 << QPoint(x + half, y - half / 2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.color(QPalette::Dark));
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
}

void GridHeader::setFilterFont(const QFont& font) {
    m_filterFont = font;
    updateGeometry();
    viewport()->update();
}

int GridHeader::titleHeight() const {
    return cellHeight(font());
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
    const TDBGridColumnEh& column = m_model.columnAt(logicalIndex);
    const int titleBottom = rect.top() + titleHeight();
    paintTitle(painter, QRect(rect.left(), rect.top(), rect.width(), titleHeight()), column);
    paintFilterCell(painter,
                    QRect(rect.left(), titleBottom, rect.width(), rect.bottom() + 1 - titleBottom),
                    column);
}

void GridHeader::paintTitle(QPainter* painter, const QRect& rect,
                            const TDBGridColumnEh& column) const {
    paintFixedCell(painter, rect, palette());
    QRect text = rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
    const TSortMarkerEh marker = column.title().sortMarker();
    if (marker != smNoneEh) {
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
                                 const TDBGridColumnEh& column) const {
    const TSTColumnFilterEh& filter = column.stFilter();
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

void GridHeader::mousePressEvent(QMouseEvent* event) {
    if (inFilterRow(event)) {
        event->accept();
        return;
    }
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
    QHeaderView::mouseMoveEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (!std::exchange(m_titlePressed, false)) {
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    if (inFilterRow(event)) {
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}

}  // namespace grid
