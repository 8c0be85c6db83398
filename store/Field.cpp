#include "store/Field.h"

#include <cmath>
#include <limits>

#include "store/Error.h"
#include "store/Query.h"
#include "store/Utf16Text.h"

namespace store {

namespace {

bool fitsKind(FieldKind kind, std::int64_t value) {
    switch (kind) {
        case FieldKind::SmallInt:
            return value >= std::numeric_limits<std::int16_t>::min() &&
                   value <= std::numeric_limits<std::int16_t>::max();
        case FieldKind::Integer:
        case FieldKind::AutoInc:
            return value >= std::numeric_limits<std::int32_t>::min() &&
                   value <= std::numeric_limits<std::int32_t>::max();
        default:
            return true;
    }
}

std::int64_t roundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding mode: ties to even
}

}  // namespace

Field::Field(Query& query, int index, FieldDef def)
    : m_query(query), m_index(index), m_def(std::move(def)) {}

bool Field::canModify() const {
    return !m_readOnly && m_query.canModify();
}

bool Field::isNull() const {
    return m_query.currentValue(m_index).isNull();
}

QVariant Field::value() const {
    return m_query.currentValue(m_index);
}

QString Field::asText() const {
    return textOf(value());
}

QString Field::textOf(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

double Field::asFloat() const {
    return value().toDouble();
}

void Field::setValue(const QVariant& value) {
    m_query.setCurrentValue(m_index, converted(value));
}

void Field::setText(const QString& text) {
    setValue(QVariant(text));
}

void Field::setCurrency(Currency value) {
    if (isIntegerKind(m_def.kind)) {
        setValue(QVariant(static_cast<qlonglong>(value.roundedToInteger())));
    } else if (isTextKind(m_def.kind)) {
        setValue(QVariant(
            QString::number(static_cast<double>(value.scaled) / Currency::kScale, 'g', 19)));
    } else {
        setValue(QVariant(static_cast<double>(value.scaled) / Currency::kScale));
    }
}

void Field::clear() {
    setValue(QVariant());
}

QVariant Field::converted(const QVariant& value) const {
    if (value.isNull())
        return {};
    const auto outOfRange = [this](const QString& shown) {
        return Error(m_query.name() + QStringLiteral(": Value ") + shown +
                     QStringLiteral(" is out of range for field '") + name() + u'\'');
    };

    if (isTextKind(m_def.kind)) {
        QString text = value.typeId() == QMetaType::Double
                           ? QString::number(value.toDouble(), 'g', 15)
                           : withLoneSurrogatesReplaced(value.toString());
        if (m_def.kind == FieldKind::WideString && m_def.size > 0)
            text = leftWithoutSplittingPair(text, m_def.size);
        return text;
    }

    if (isIntegerKind(m_def.kind)) {
        std::int64_t number = 0;
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            if (m_def.kind == FieldKind::Boolean &&
                text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
                return QVariant(qlonglong(1));
            if (m_def.kind == FieldKind::Boolean &&
                text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
                return QVariant(qlonglong(0));
            bool ok = false;
            number = text.toLongLong(&ok);
            if (!ok)
                throw Error(u'\'' + value.toString() +
                            QStringLiteral("' is not a valid integer value"));
        } else if (value.typeId() == QMetaType::Double) {
            const double d = value.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.0e18)
                throw outOfRange(QString::number(d, 'g', 15));
            number = roundHalfEven(d);
        } else if (value.typeId() == QMetaType::Bool) {
            number = value.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            number = value.toLongLong(&ok);
            if (!ok)
                throw Error(u'\'' + value.toString() +
                            QStringLiteral("' is not a valid integer value"));
        }
        if (m_def.kind == FieldKind::Boolean)
            return QVariant(qlonglong(number != 0 ? 1 : 0));
        if (!fitsKind(m_def.kind, number))
            throw outOfRange(QString::number(number));
        return QVariant(static_cast<qlonglong>(number));
    }

    if (m_def.kind == FieldKind::Float || m_def.kind == FieldKind::BCD) {
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            bool ok = false;
            const double d = text.toDouble(&ok);
            if (!ok)
                throw Error(u'\'' + value.toString() +
                            QStringLiteral("' is not a valid floating point value"));
            return QVariant(d);
        }
        return QVariant(value.toDouble());
    }
    // Date-time values are kept as the text the engine stores.
    const QString text = value.toString();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

}  // namespace store
