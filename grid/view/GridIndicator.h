#pragma once

#include <QHeaderView>

namespace grid {

class GridDataModel;

// The narrow column at the grid's left that marks the current record: an
// arrow while browsing, an I-beam while it is edited, a star while it is
// being inserted. It holds no per-row state: every section has the same
// fixed height, and only the sections on screen are drawn.
class GridIndicator : public QHeaderView {
    Q_OBJECT

public:
    static constexpr int kWidth = 12;

    GridIndicator(GridDataModel& model, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    GridDataModel& m_model;
};

}  // namespace grid
