#include "itemfile/ImportFields.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "itemfile/StripQuotes.h"
#include "store/Currency.h"
#include "store/Error.h"
#include "store/Field.h"
#include "store/Query.h"

namespace itemfile {

namespace {

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

ImportFields::ImportFields(store::Query& query, QChar decimalSeparator)
    : m_query(query), m_decimalSeparator(decimalSeparator) {
    m_integer.reserve(static_cast<std::size_t>(query.fieldCount()));
    for (int i = 0; i < query.fieldCount(); ++i) {
        m_integer.push_back(store::isIntegerKind(query.field(i).kind()));
    }
}

store::Field& ImportFields::at(int index) const {
    if (index >= m_query.fieldCount()) {
        throw store::Error(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    return m_query.field(index);
}

QVariant ImportFields::value(int index, QStringView text) const {
    if (m_integer[static_cast<std::size_t>(index)]) {
        return integerValue(index, stripQuotes(text));
    }
    return stripQuotes(text).toString();
}

QVariant ImportFields::integerValue(int index, QStringView text) const {
    const std::optional<store::Currency> number = store::Currency::parse(text, m_decimalSeparator);
    if (!number && !isLongNumber(text, m_decimalSeparator)) {
        return {};
    }
    if (!number || !fitsInteger(number->roundedToInteger())) {
        throw store::Error(QStringLiteral("字段“%1”的值“%2”超出整数范围！")
                               .arg(m_query.field(index).name(), text.toString()));
    }
    return QVariant(static_cast<qlonglong>(number->roundedToInteger()));
}

}  // namespace itemfile
