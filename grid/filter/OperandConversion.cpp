#include "grid/filter/OperandConversion.h"

#include <cmath>

#include <QDateTime>
#include <QLocale>

#include "store/Error.h"
#include "store/Locale.h"

namespace grid {

namespace {

// A number in plain or scientific notation with the locale's decimal
// separator; spaces around it are allowed, thousands separators are not.
double toNumber(const QString& text) {
    QString number = text.trimmed();
    const QChar separator = store::Locale::current().decimalSeparator;
    bool ok = !number.isEmpty() && (separator == u'.' || !number.contains(u'.'));
    number.replace(separator, u'.');
    const double value = ok ? QLocale::c().toDouble(number, &ok) : 0.0;
    if (!ok || !std::isfinite(value))
        throw store::Error(u'\'' + text + QStringLiteral("' is not a valid floating point value"));
    return value;
}

// A date, or a date and time, in the system's short or long format or in ISO form.
QDateTime toDateTime(const QString& text) {
    const QString trimmed = text.trimmed();
    const QLocale system = QLocale::system();
    for (const QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime dateTime = system.toDateTime(trimmed, format);
        if (dateTime.isValid())
            return dateTime;
        const QDate date = system.toDate(trimmed, format);
        if (date.isValid())
            return date.startOfDay();
    }
    if (const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate); iso.isValid())
        return iso;
    if (const QDate isoDate = QDate::fromString(trimmed, Qt::ISODate); isoDate.isValid())
        return isoDate.startOfDay();
    throw store::Error(u'\'' + text + QStringLiteral("' is not a valid date and time"));
}

QVariant converted(const QVariant& value, ValueKind kind) {
    if (value.isNull())
        return value;
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant& element : list)
            element = converted(element, kind);
        return list;
    }
    const QString text = value.toString();
    switch (kind) {
        case vkNumber:
            return toNumber(text);
        case vkDateTime:
            if (text.compare(u"NOW", Qt::CaseInsensitive) == 0)
                return text;
            return toDateTime(text);
        case vkText:
        case vkBoolean:
        case vkOther:
            break;
    }
    return text;
}

void convertCondition(FilterOperator op, QVariant& operand, ValueKind kind) {
    operand = takesOperand(op) ? converted(operand, kind) : QVariant();
}

}  // namespace

void convertOperands(TSTFilterExpression& expression) {
    convertCondition(expression.firstOperator, expression.firstOperand, expression.valueKind);
    convertCondition(expression.secondOperator, expression.secondOperand, expression.valueKind);
}

}  // namespace grid
