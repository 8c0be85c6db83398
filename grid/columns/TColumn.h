#pragma once

#include <QString>

#include "grid/columns/ColumnChange.h"
#include "grid/columns/TColumnFooter.h"
#include "grid/columns/TColumnTitle.h"
#include "grid/columns/TSTColumnFilter.h"

namespace store {
class Field;
}

namespace grid {

class SortKeyList;
class TDBGridSumList;

// The settings of one grid column: the field it shows, its width, whether
// it is shown and editable, and its title, footer and filter cells.
class TColumn {
public:
    static constexpr int kDefaultWidth = 64;

    TColumn();
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& fieldName);
    // In pixels, the cell line included.
    int width() const { return m_width; }
    void setWidth(int width);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // The cells cannot be edited in the grid, whatever the field allows.
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    TColumnTitle& title() { return m_title; }
    const TColumnTitle& title() const { return m_title; }
    TColumnFooter& footer() { return m_footer; }
    const TColumnFooter& footer() const { return m_footer; }
    TSTColumnFilter& stFilter() { return m_stFilter; }
    const TSTColumnFilter& stFilter() const { return m_stFilter; }

    // The field of the grid's dataset that the column shows; none without one.
    virtual store::Field* field() const { return nullptr; }
    // The sum list of the grid the column belongs to; none without a grid.
    virtual TDBGridSumList* gridSumList() const { return nullptr; }
    // The sort key list of the grid the column belongs to; none without a grid.
    virtual SortKeyList* sortKeyList() const { return nullptr; }

    // Stores a setting of the column or of one of its cells and reports the
    // change when the value differs.
    template <typename T>
    void assign(T& setting, const T& value, ColumnChange change) {
        if (setting == value)
            return;
        setting = value;
        changed(change);
    }

protected:
    virtual void changed(ColumnChange change);

private:
    QString m_fieldName;
    int m_width = kDefaultWidth;
    bool m_visible = true;
    bool m_readOnly = false;
    TColumnTitle m_title{*this};
    TColumnFooter m_footer{*this};
    TSTColumnFilter m_stFilter{*this};
};

}  // namespace grid
