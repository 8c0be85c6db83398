#include "grid/footer/FooterText.h"

#include "grid/celltext/FieldDisplay.h"
#include "grid/celltext/FloatFormat.h"
#include "grid/columns/TColumnFooter.h"
#include "grid/sumlist/TDBSumCollection.h"
#include "store/Currency.h"
#include "store/Field.h"
#include "store/Locale.h"
#include "store/Query.h"

namespace grid {

namespace {

// Significant digits of a floating-point field's value.
constexpr int kFloatPrecision = 15;

QChar decimalSeparator() {
    return store::Locale::current().decimalSeparator;
}

QString aggregateText(const TColumnFooter& footer, TGroupOperation operation,
                      const QString& columnFieldName, const store::Query* dataSet,
                      const TDBSumCollection& sums) {
    const QString fieldName = footer.fieldName().isEmpty() ? columnFieldName : footer.fieldName();
    const store::Field* field = dataSet ? dataSet->findField(fieldName) : nullptr;
    if (!field || !store::isNumericKind(field->kind()))
        return QStringLiteral("0");
    const TDBSum* sum = sums.find(operation, field->name());
    const std::int64_t amount = sum ? sum->amount() : 0;
    if (!footer.displayFormat().isEmpty())
        return formatFloat(footer.displayFormat(),
                           static_cast<double>(amount) / store::Currency::kScale,
                           decimalSeparator());
    if (field->kind() == store::FieldKind::Float || field->kind() == store::FieldKind::BCD)
        return formatGeneral(static_cast<double>(amount) / store::Currency::kScale, kFloatPrecision,
                             decimalSeparator());
    return QString::number(store::divideRoundHalfEven(amount, store::Currency::kScale));
}

QString countText(const TColumnFooter& footer, const TDBSumCollection& sums) {
    const TDBSum* count = sums.find(goCount, QString());
    const double value =
        count ? static_cast<double>(count->amount()) / store::Currency::kScale : 0.0;
    if (!footer.displayFormat().isEmpty())
        return formatFloat(footer.displayFormat(), value, decimalSeparator());
    return formatGeneral(value, kFloatPrecision, decimalSeparator());
}

QString fieldValueText(const TColumnFooter& footer, const store::Query* dataSet) {
    if (!dataSet || !dataSet->isActive() || footer.fieldName().isEmpty())
        return {};
    const store::Field& field = dataSet->fieldByName(footer.fieldName());
    const QVariant value = field.value();
    if (footer.displayFormat().isEmpty() || !store::isNumericKind(field.kind()))
        return cellDisplayText(field.kind(), value);
    if (value.isNull())
        return {};
    return formatFloat(footer.displayFormat(), value.toDouble(), decimalSeparator());
}

}  // namespace

QString footerText(const TColumnFooter& footer, const QString& columnFieldName,
                   const store::Query* dataSet, const TDBSumCollection& sums) {
    switch (footer.valueType()) {
        case fvtSum:
            return aggregateText(footer, goSum, columnFieldName, dataSet, sums);
        case fvtAvg:
            return aggregateText(footer, goAvg, columnFieldName, dataSet, sums);
        case fvtCount:
            return countText(footer, sums);
        case fvtFieldValue:
            return fieldValueText(footer, dataSet);
        case fvtStaticText:
            return footer.value();
        case fvtNon:
            break;
    }
    return {};
}

}  // namespace grid
