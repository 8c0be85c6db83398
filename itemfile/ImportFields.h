#pragma once

#include <vector>

#include <QChar>
#include <QStringView>
#include <QVariant>

namespace store {
class Field;
class Query;
}  // namespace store

namespace itemfile {

// The item query's fields as an item file's fields fill them, by position.
// The import stores these values and its dry run checks them, so both stop at
// the same field for the same reason.
class ImportFields {
public:
    ImportFields(store::Query& query, QChar decimalSeparator);

    // The field at a record's position `index` (0 for its first field).
    // Fails with "List index out of bounds (47)" past the last field.
    store::Field& at(int index) const;
    // The value that the field text (quotes not yet stripped) gives the field
    // at `index`: integer fields take the number rounded half to even, or null
    // when the text is no number; other fields take the text without its
    // quotes. Fails with an error naming value and field for a number outside
    // 32 bits. The field's own conversion (Field::converted) still applies.
    QVariant value(int index, QStringView text) const;

private:
    QVariant integerValue(int index, QStringView text) const;

    store::Query& m_query;
    QChar m_decimalSeparator;
    std::vector<bool> m_integer;  // per field: stored as a number
};

}  // namespace itemfile
