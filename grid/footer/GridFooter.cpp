#include "grid/footer/GridFooter.h"

#include <algorithm>
#include <utility>

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

#include "grid/celltext/FieldDisplay.h"
#include "grid/columns/TDBGridColumn.h"
#include "grid/look/CellText.h"
#include "grid/look/GridMetrics.h"
#include "grid/model/GridDataModel.h"
#include "store/Field.h"

namespace grid {

GridFooter::GridFooter(QTableView& table, const GridDataModel& model, CellText cellText)
    : QWidget(&table),
      m_table(table),
      m_model(model),
      m_cellText(std::move(cellText)),
      m_font(table.font()),
      m_color(windowColor(table.palette())) {
    setObjectName(QStringLiteral("Footer"));
}

void GridFooter::setFooterFont(const QFont& font) {
    m_font = font;
    update();
}

void GridFooter::setFooterColor(const QColor& color) {
    m_color = color;
    update();
}

void GridFooter::setRowCount(int count) {
    m_rowCount = std::max(count, 0);
    update();
}

int GridFooter::rowHeight() const {
    return cellHeight(m_font);
}

QSize GridFooter::sizeHint() const {
    return QSize(0, rowHeight() * m_rowCount);
}

int GridFooter::indicatorWidth() const {
    const QHeaderView* indicator = m_table.verticalHeader();
    return indicator->isHidden() ? 0 : indicator->width();
}

QRect GridFooter::cellRect(int row, int modelColumn) const {
    const QHeaderView& header = *m_table.horizontalHeader();
    if (row < 0 || row >= m_rowCount || header.isSectionHidden(modelColumn))
        return {};
    const QRect cell(indicatorWidth() + header.sectionViewportPosition(modelColumn),
                     row * rowHeight(), header.sectionSize(modelColumn), rowHeight());
    const QRect dataArea(indicatorWidth(), 0, width() - indicatorWidth(), height());
    return cell.intersects(dataArea) ? cell : QRect();
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QHeaderView& header = *m_table.horizontalHeader();
    const QColor lines = gridLineColor(&m_table);
    painter.fillRect(rect(), windowColor(palette()));
    painter.setFont(m_font);

    for (int row = 0; row < m_rowCount; ++row) {
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
            const TDBGridColumn& column = m_model.columnAt(modelColumn);
            const store::Field* field = m_model.fieldAt(modelColumn);
            const TAlignment alignment = column.footer().alignment().value_or(
                field ? fieldAlignment(field->kind()) : taLeftJustify);
            painter.fillRect(cell, m_color);
            painter.setPen(lines);
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            painter.setPen(palette().color(QPalette::WindowText));
            paintCellText(painter, cell.adjusted(0, 0, -1, -1), toQtAlignment(alignment),
                          m_cellText(row, column));
        }
        painter.restore();
    }
    // The line that parts the footer from the data rows.
    painter.setPen(lines);
    painter.drawLine(indicatorWidth(), 0, width() - 1, 0);
}

}  // namespace grid
