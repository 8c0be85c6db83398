#pragma once

#include <QChar>
#include <QString>

#include "grid/model/TDBGridAllowedOperations.h"
#include "grid/model/TGridOptions.h"
#include "store/FieldKind.h"

namespace store {
class Query;
}  // namespace store

namespace grid {

class TDBGridColumn;

// What the grid's settings let the user change: a cell, the record list,
// and which characters a field's editor takes. Every key that edits asks
// these first and does nothing when they say no.
class CellEditRules {
public:
    CellEditRules(TGridOptions options, TDBGridAllowedOperations allowed, bool gridReadOnly);

    // Whether the cell of `column` in the current record may be changed;
    // `dataSet` is the grid's open dataset, none while the grid shows none.
    // Memo cells are never changed in the grid.
    bool canModifyCell(const TDBGridColumn& column, const store::Query* dataSet) const;
    // Insert, and Down past the last record, add a record.
    bool canInsertRecord(const store::Query& dataSet) const;
    bool canAppendRecord(const store::Query& dataSet) const;
    bool canDeleteRecord(const store::Query& dataSet) const;
    // Whether the cell editor may open at all.
    bool canShowEditor() const;

    // Tab and Shift+Tab stop at visible, editable columns bound to a field
    // that is not read-only.
    static bool isTabStop(const TDBGridColumn& column);
    // Numeric fields take digits and signs (and a decimal separator and an
    // exponent for fractional kinds); every other kind takes any character.
    static bool acceptsCharacter(store::FieldKind kind, QChar character);
    // `text` without the characters that a field of `kind` refuses and
    // without line breaks and other control characters.
    static QString acceptedText(store::FieldKind kind, const QString& text);

private:
    bool canAddRecord(const store::Query& dataSet) const;

    TGridOptions m_options;
    TDBGridAllowedOperations m_allowed;
    bool m_gridReadOnly;
};

}  // namespace grid
