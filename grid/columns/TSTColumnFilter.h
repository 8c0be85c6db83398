#pragma once

#include <QString>

namespace store {
class DataSource;
}

namespace grid {

class TColumn;

// A column's cell in the filter row: whether it is shown, which field its
// conditions test, the list it offers, and the text the user entered.
class TSTColumnFilter {
public:
    explicit TSTColumnFilter(TColumn& column) : m_column(column) {}
    TSTColumnFilter(const TSTColumnFilter&) = delete;
    TSTColumnFilter& operator=(const TSTColumnFilter&) = delete;

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // Empty means the column's field.
    const QString& dataField() const { return m_dataField; }
    void setDataField(const QString& dataField);
    // Set for a column whose conditions are looked up in a list: the field
    // whose value is filtered on.
    const QString& keyField() const { return m_keyField; }
    void setKeyField(const QString& keyField);
    // The list's field shown and matched.
    const QString& listField() const { return m_listField; }
    void setListField(const QString& listField);
    // Gives the list dataset; a cell with a list has a dropdown button.
    store::DataSource* listSource() const { return m_listSource; }
    void setListSource(store::DataSource* listSource);
    // What the user last entered, exactly as typed.
    const QString& filterText() const { return m_filterText; }
    void setFilterText(const QString& filterText);

private:
    TColumn& m_column;
    bool m_visible = true;
    QString m_dataField;
    QString m_keyField;
    QString m_listField;
    store::DataSource* m_listSource = nullptr;
    QString m_filterText;
};

}  // namespace grid
