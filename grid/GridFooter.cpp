#include "grid/GridFooter.h"

#include <QPainter>

#include "grid/FieldDisplay.h"
#include "grid/GridDataModel.h"
#include "grid/GridHeader.h"
#include "grid/GridMetrics.h"
#include "grid/TDBGrid.h"
#include "store/Field.h"

namespace grid {

namespace {

constexpr int kTextMargin = 2;

}  // namespace

GridFooter::GridFooter(TDBGrid& grid) : QWidget(&grid), m_grid(grid) {
    setObjectName(QStringLiteral("Footer"));
}

int GridFooter::rowHeight() const {
    return cellHeight(m_grid.footerFont());
}

QSize GridFooter::sizeHint() const {
    return QSize(0, rowHeight() * m_grid.footerRowCount());
}

int GridFooter::indicatorWidth() const {
    const QHeaderView* indicator = m_grid.verticalHeader();
    return indicator->isHidden() ? 0 : indicator->width();
}

QRect GridFooter::cellRect(int row, int modelColumn) const {
    const GridHeader& header = m_grid.titleHeader();
    if (row < 0 || row >= m_grid.footerRowCount() || header.isSectionHidden(modelColumn))
        return {};
    const QRect cell(indicatorWidth() + header.sectionViewportPosition(modelColumn),
                     row * rowHeight(), header.sectionSize(modelColumn), rowHeight());
    const QRect dataArea(indicatorWidth(), 0, width() - indicatorWidth(), height());
    return cell.intersects(dataArea) ? cell : QRect();
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const GridDataModel& model = m_grid.gridModel();
    const GridHeader& header = m_grid.titleHeader();
    const QColor lines = gridLineColor(&m_grid);
    painter.fillRect(rect(), windowColor(palette()));
    painter.setFont(m_grid.footerFont());

    for (int row = 0; row < m_grid.footerRowCount(); ++row) {
        if (indicatorWidth() > 0)
            paintFixedCell(&painter, QRect(0, row * rowHeight(), indicatorWidth(), rowHeight()),
                           palette());
        painter.save();
        painter.setClipRect(indicatorWidth(), 0, width() - indicatorWidth(), height());
        for (int visual = 0; visual < header.count(); ++visual) {
            const int modelColumn = header.logicalIndex(visual);
            const QRect cell = cellRect(row, modelColumn);
            if (cell.isNull())
                continue;
            const TDBGridColumn& column = model.columnAt(modelColumn);
            const store::Field* field = model.fieldAt(modelColumn);
            const TAlignment alignment = column.footer().alignment().value_or(
                field ? fieldAlignment(field->kind()) : taLeftJustify);
            painter.fillRect(cell, m_grid.footerColor());
            painter.setPen(lines);
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            painter.setPen(palette().color(QPalette::WindowText));
            const QRect text = cell.adjusted(kTextMargin, 0, -kTextMargin - 1, -1);
            painter.save();
            painter.setClipRect(text, Qt::IntersectClip);
            painter.drawText(text, toQtAlignment(alignment) | Qt::TextSingleLine,
                             m_grid.footerText(row, column));
            painter.restore();
        }
        painter.restore();
    }
    // The line that parts the footer from the data rows.
    painter.setPen(lines);
    painter.drawLine(indicatorWidth(), 0, width() - 1, 0);
}

}  // namespace grid
