#pragma once

#include <optional>

#include <QString>

#include "grid/celltext/TAlignment.h"

namespace grid {

class TColumn;
class TDBSum;

enum TFooterValueType { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };

// A column's footer cell: what it shows (an aggregate, a field's value or a
// fixed text) and how.
class TColumnFooter {
public:
    explicit TColumnFooter(TColumn& column) : m_column(column) {}
    // Frees the footer's aggregate in the grid's sum list.
    ~TColumnFooter();
    TColumnFooter(const TColumnFooter&) = delete;
    TColumnFooter& operator=(const TColumnFooter&) = delete;

    TFooterValueType valueType() const { return m_valueType; }
    void setValueType(TFooterValueType valueType);
    // Empty means the column's field.
    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& fieldName);
    // The fixed text of fvtStaticText.
    const QString& value() const { return m_value; }
    void setValue(const QString& value);
    const QString& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString& displayFormat);
    // Unset means the alignment of the column's field (left without a field).
    std::optional<TAlignment> alignment() const { return m_alignment; }
    void setAlignment(std::optional<TAlignment> alignment);

    // Gives the footer the aggregate of the grid's sum list that its value
    // type asks for (a sum, average or count), or frees the one it has; does
    // nothing while the column belongs to no grid.
    void bindFooterAggregate();

private:
    TColumn& m_column;
    TDBSum* m_sumItem = nullptr;
    TFooterValueType m_valueType = fvtNon;
    QString m_fieldName;
    QString m_value;
    QString m_displayFormat;
    std::optional<TAlignment> m_alignment;
};

}  // namespace grid
