#pragma once

#include <QString>
#include <QVariant>

#include "grid/filter/TSTFilterExpression.h"

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

    // Stores, parses and, for a key-list column, translates a filter text.
    // The value kind follows the column's field (kept while the column has
    // none). A column with a key field filters on the key of the first list
    // record whose list field equals the whole text; a null test ("=Null",
    // "<>Null") stays as typed. A text that does not parse raises
    // store::Error; the filter text then stays the previous one while the
    // expression holds what was read.
    void assignFilterText(const QString& text);
    const TSTFilterExpression& expression() const { return m_expression; }
    ValueKind valueKind() const { return m_expression.valueKind; }
    bool isKeyList() const { return !m_keyField.isEmpty(); }
    // For a key-list column: the key found for the filter text, or null.
    const QVariant& keyValues() const { return m_keyValues; }
    void setKeyValues(const QVariant& keyValues) { m_keyValues = keyValues; }
    // A key-list column whose non-empty text names no list record: it shows no row.
    bool matchesNoKey() const { return m_matchesNoKey; }
    // The operand of the first condition as the filter string writes it: the
    // key values of a key-list column, the parsed operand otherwise.
    QVariant firstOperand() const;
    // The field the conditions test: the data field, else the column's field name.
    QString testedField() const;

    // The last size of the dropdown list; 0 means the default, 100 pixels and 17 rows.
    int dropDownWidth() const { return m_dropDownWidth; }
    void setDropDownWidth(int width) { m_dropDownWidth = width; }
    int dropDownRows() const { return m_dropDownRows; }
    void setDropDownRows(int rows) { m_dropDownRows = rows; }

private:
    void translateKeyList(const QString& text);

    TColumn& m_column;
    bool m_visible = true;
    QString m_dataField;
    QString m_keyField;
    QString m_listField;
    store::DataSource* m_listSource = nullptr;
    QString m_filterText;
    TSTFilterExpression m_expression;
    QVariant m_keyValues;
    bool m_matchesNoKey = false;
    int m_dropDownWidth = 0;
    int m_dropDownRows = 0;
};

}  // namespace grid
