#pragma once

#include <QStringView>

namespace itemfile {

// Where the item file reader puts what it finds: the import stores into the
// item query, tests collect records in memory.
class RecordSink {
public:
    virtual ~RecordSink() = default;

    // A line starts a new record; the record filled so far is settled.
    virtual void startRecord() = 0;
    // The field at `index` (0 for the first field of a record) has this text,
    // quotes not yet stripped. The view is valid only during the call.
    virtual void storeField(int index, QStringView text) = 0;
    // A line has been handled; `recordCount` records have been started so far.
    virtual void lineHandled(int recordCount) = 0;
};

}  // namespace itemfile
