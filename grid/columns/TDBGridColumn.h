#pragma once

#include <QString>

#include "grid/columns/TColumn.h"

namespace store {
class Field;
}

namespace grid {

class TDBGridColumns;

// A column of the data grid. It shows the field of the grid's dataset whose
// name equals its field name without regard to case, while that dataset is
// open; otherwise its cells are empty.
class TDBGridColumn : public TColumn {
public:
    explicit TDBGridColumn(TDBGridColumns& columns);

    // The column's place in the grid's column list; setting it moves the column.
    int index() const;
    void setIndex(int index);
    // The field shown, or none.
    store::Field* field() const override;
    // The title's caption, or the field's name when the caption is empty.
    QString displayCaption() const;
    TDBGridSumList* gridSumList() const override;
    SortKeyList* sortKeyList() const override;

protected:
    void changed(ColumnChange change) override;

private:
    TDBGridColumns& m_columns;
};

}  // namespace grid
