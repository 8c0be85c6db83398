#pragma once

#include <QChar>

#include "itemfile/ImportFields.h"
#include "itemfile/RecordSink.h"

namespace store {
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
    // Stores the value that ImportFields gives the text, failing as it does.
    void storeField(int index, QStringView text) override;
    // Shows the import's progress.
    void lineHandled(int recordCount) override;

    // Ends the last record: posted when its first field is set, cancelled otherwise.
    void settle();

private:
    store::Query& m_query;
    store::Progress& m_progress;
    ImportFields m_fields;
};

}  // namespace itemfile
