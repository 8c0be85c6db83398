#include "grid/view/GridIndicator.h"

#include <QPainter>

#include "grid/look/GridMetrics.h"
#include "grid/model/GridDataModel.h"
#include "store/Query.h"

namespace grid {

namespace {

void paintArrow(QPainter* painter, const QPoint& centre) {
    const QPolygon arrow{QPoint(centre.x() - 2, centre.y() - 4), QPoint(centre.x() + 2, centre.y()),
                         QPoint(centre.x() - 2, centre.y() + 4)};
    painter->setBrush(painter->pen().color());
    painter->drawPolygon(arrow);
}

void paintIBeam(QPainter* painter, const QPoint& centre) {
    painter->drawLine(centre.x(), centre.y() - 4, centre.x(), centre.y() + 4);
    painter->drawLine(centre.x() - 2, centre.y() - 5, centre.x() + 2, centre.y() - 5);
    painter->drawLine(centre.x() - 2, centre.y() + 5, centre.x() + 2, centre.y() + 5);
}

void paintStar(QPainter* painter, const QPoint& centre) {
    painter->drawLine(centre.x(), centre.y() - 4, centre.x(), centre.y() + 4);
    painter->drawLine(centre.x() - 3, centre.y() - 2, centre.x() + 3, centre.y() + 2);
    painter->drawLine(centre.x() - 3, centre.y() + 2, centre.x() + 3, centre.y() - 2);
}

}  // namespace

GridIndicator::GridIndicator(GridDataModel& model, QWidget* parent)
    : QHeaderView(Qt::Vertical, parent), m_model(model) {
    setObjectName(QStringLiteral("Indicator"));
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
    setSectionResizeMode(QHeaderView::Fixed);
    const auto repaint = [this] { viewport()->update(); };
    connect(&model, &GridDataModel::cursorMoved, this, repaint);
    connect(&model, &GridDataModel::dataSetEditingChanged, this, repaint);
}

QSize GridIndicator::sizeHint() const {
    return QSize(kWidth, length());
}

void GridIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    paintFixedCell(painter, rect, palette());
    const store::Query* dataSet = m_model.dataSet();
    if (!dataSet || logicalIndex != m_model.currentRow())
        return;
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    const QPoint centre = rect.center();
    switch (dataSet->state()) {
        case store::DataSetState::Edit:
            paintIBeam(painter, centre);
            break;
        case store::DataSetState::Insert:
            paintStar(painter, centre);
            break;
        default:
            paintArrow(painter, centre);
    }
    painter->restore();
}

}  // namespace grid
