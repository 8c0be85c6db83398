#include "itemfile/QueryRecordSink.h"

#include <limits>

#include "itemfile/StripQuotes.h"
#include "store/Currency.h"
#include "store/Error.h"
#include "store/Field.h"
#include "store/Progress.h"
#include "store/Query.h"

namespace itemfile {

namespace {

constexpr int kProgressStep = 1000;

// A plain decimal number (sign, digits, one separator) that is too long for
// the currency type: such a text is a number out of range, not a non-number.
bool isLongNumber(QStringView text, QChar decimalSeparator) {
    text = text.trimmed();
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        text = text.sliced(1);
    }
    int digits = 0;
    bool separatorSeen = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            if (!separatorSeen && (digits > 0 || c != u'0')) {
                ++digits;
            }
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
        } else {
            return false;
        }
    }
    return digits > 10;
}

bool fitsInteger(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

QueryRecordSink::QueryRecordSink(store::Query& query, store::Progress& progress,
                                 QChar decimalSeparator)
    : m_query(query), m_progress(progress), m_decimalSeparator(decimalSeparator) {
    m_integer.reserve(static_cast<std::size_t>(query.fieldCount()));
    for (int i = 0; i < query.fieldCount(); ++i) {
        m_integer.push_back(store::isIntegerKind(query.field(i).kind()));
    }
}

void QueryRecordSink::startRecord() {
    m_query.append();
}

void QueryRecordSink::storeField(int index, QStringView text) {
    if (index >= m_query.fieldCount()) {
        throw store::Error(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    store::Field& field = m_query.field(index);
    if (m_integer[static_cast<std::size_t>(index)]) {
        storeInteger(field, stripQuotes(text));
    } else {
        field.setValue(stripQuotes(text).toString());
    }
}

void QueryRecordSink::storeInteger(store::Field& field, QStringView text) {
    const std::optional<store::Currency> number = store::Currency::parse(text, m_decimalSeparator);
    if (!number && !isLongNumber(text, m_decimalSeparator)) {
        field.setText(QString());
        return;
    }
    if (!number || !fitsInteger(number->roundedToInteger())) {
        throw store::Error(
            QStringLiteral("字段“%1”的值“%2”超出整数范围！").arg(field.name(), text.toString()));
    }
    field.setCurrency(*number);
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
