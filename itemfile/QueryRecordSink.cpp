#include "itemfile/QueryRecordSink.h"

#include "itemfile/ImportProgress.h"
#include "store/Field.h"
#include "store/Query.h"

namespace itemfile {

QueryRecordSink::QueryRecordSink(store::Query& query, store::Progress& progress,
                                 QChar decimalSeparator)
    : m_query(query), m_progress(progress), m_fields(query, decimalSeparator) {}

void QueryRecordSink::startRecord() {
    m_query.append();
}

void QueryRecordSink::storeField(int index, QStringView text) {
    store::Field& field = m_fields.at(index);
    field.setValue(m_fields.value(index, text));
}

void QueryRecordSink::lineHandled(int recordCount) {
    showImportProgress(m_progress, recordCount);
}

void QueryRecordSink::settle() {
    if (!m_query.isEditing()) {
        return;
    }
    if (m_query.field(0).isNull()) {
        m_query.cancel();
    } else {
        m_query.post();
    }
}

}  // namespace itemfile
