#include "itemfile/QueryRecordSink.h"

#include "store/Field.h"
#include "store/Progress.h"
#include "store/Query.h"

namespace itemfile {

namespace {

constexpr int kProgressStep = 1000;

}  // namespace

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
    m_progress.setPosition(recordCount);
    if (m_progress.position() == m_progress.maximum()) {
        m_progress.setMaximum(m_progress.maximum() + kProgressStep);
    }
    m_progress.showCounts();
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
