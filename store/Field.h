#pragma once

#include <QString>
#include <QVariant>

#include "store/Currency.h"
#include "store/FieldDef.h"

namespace store {

class Query;

// One field of a dataset. Values live in the dataset's current record; a
// field reads and writes them there with the conversion rules of its kind:
// - empty text clears a numeric field; other text must be a whole number;
// - currency rounds half to even into a numeric field;
// - a wide-string field keeps at most `size` UTF-16 characters of a longer text;
// - memo fields keep every character.
class Field {
public:
    Field(Query& query, int index, FieldDef def);

    const QString& name() const { return m_def.name; }
    FieldKind kind() const { return m_def.kind; }
    int size() const { return m_def.size; }
    int index() const { return m_index; }
    Query& dataset() const { return m_query; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool canModify() const;

    bool isNull() const;
    QVariant value() const;  // null QVariant for null
    QString asText() const;  // empty for null; integers in plain decimal
    // The text asText() gives for a stored value.
    static QString textOf(const QVariant& value);
    double asFloat() const;

    void setValue(const QVariant& value);
    void setText(const QString& text);
    void setCurrency(Currency value);
    void clear();
    // The value that setValue(value) would store, converted by the field's
    // kind; fails as setValue does. For writing a row the dataset cannot show.
    QVariant converted(const QVariant& value) const;

private:
    Query& m_query;
    int m_index;
    FieldDef m_def;
    bool m_readOnly = false;
};

}  // namespace store
