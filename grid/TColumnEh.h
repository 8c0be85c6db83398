#pragma once

#include <QString>

#include "grid/ColumnChange.h"
#include "grid/TColumnFooterEh.h"
#include "grid/TColumnTitleEh.h"
#include "grid/TSTColumnFilterEh.h"

namespace grid {

class SortKeyList;
class TDBGridEhSumList;

// The settings of one grid column: the field it shows, its width, whether
// it is shown and editable, and its title, footer and filter cells.
class TColumnEh {
public:
    static constexpr int kDefaultWidth = 64;

    TColumnEh();
    virtual ~TColumnEh();
    TColumnEh(const TColumnEh&) = delete;
    TColumnEh& operator=(const TColumnEh&) = delete;

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

    TColumnTitleEh& title() { return m_title; }
    const TColumnTitleEh& title() const { return m_title; }
    TColumnFooterEh& footer() { return m_footer; }
    const TColumnFooterEh& footer() const { return m_footer; }
    TSTColumnFilterEh& stFilter() { return m_stFilter; }
    const TSTColumnFilterEh& stFilter() const { return m_stFilter; }

    // The sum list of the grid the column belongs to; none without a grid.
    virtual TDBGridEhSumList* gridSumList() const { return nullptr; }
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
    TColumnTitleEh m_title{*this};
    TColumnFooterEh m_footer{*this};
    TSTColumnFilterEh m_stFilter{*this};
};

}  // namespace grid
