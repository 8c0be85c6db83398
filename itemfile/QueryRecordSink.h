#pragma once

#include <vector>

#include <QChar>

#include "itemfile/RecordSink.h"

namespace store {
class Field;
class Progress;
class Query;
}  // namespace store

namespace itemfile {

// Stores the records of an item file into the item query: every record is
// appended (which settles the one before), every field is stored by the kind
// of the item query's field at its position, and the progress window follows
// the record count.
class QueryRecordSink : public RecordSink {
public:
    QueryRecordSink(store::Query& query, store::Progress& progress, QChar decimalSeparator);

    void startRecord() override;
    // Integer fields take the number rounded half to even, or null when the
    // text is no number; other fields take the text without its quotes.
    // Fails with "List index out of bounds (47)" past the last field, and
    // with an error naming value and field for a number outside 32 bits.
    void storeField(int index, QStringView text) override;
    // Position = record count; the maximum grows by 1000 when reached.
    void lineHandled(int recordCount) override;

    // Ends the last record: posted when its first field is set, cancelled otherwise.
    void settle();

private:
    void storeInteger(store::Field& field, QStringView text);

    store::Query& m_query;
    store::Progress& m_progress;
    QChar m_decimalSeparator;
    std::vector<bool> m_integer;  // per field: stored as a number
};

}  // namespace itemfile
