#include "grid/features/FilterString.h"

#include <QDateTime>

#include "grid/celltext/FloatFormat.h"
#include "grid/columns/TDBGridColumns.h"
#include "store/Locale.h"

namespace grid {

namespace {

QString quoted(QString text) {
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString bracketed(const QString& field) {
    return u'[' + field + u']';
}

// " ([F] = v1 OR [F] = v2)" for IN; NOT IN selects the rows equal to none of
// the list: " NOT ( [F] = v1 OR [F] = v2)".
QString listText(FilterOperator op, const QString& field, const QVariant& operand) {
    const QVariantList values =
        operand.typeId() == QMetaType::QVariantList ? operand.toList() : QVariantList{operand};
    QStringList equalities;
    for (const QVariant& value : values)
        equalities.append(bracketed(field) + QStringLiteral(" = ") + filterValueText(value));
    const QString joined = equalities.join(QStringLiteral(" OR "));
    return op == fopIn ? QStringLiteral(" (") + joined + u')'
                       : QStringLiteral(" NOT ( ") + joined + u')';
}

// The first condition, and the second when the connective has one.
QString pieceText(const TSTColumnFilter& filter, const QString& field, bool supportsLocalLike) {
    // A key-list text that names no record selects no row.
    if (filter.matchesNoKey())
        return QStringLiteral(" (") + bracketed(field) + QStringLiteral(" IS NULL AND ") +
               bracketed(field) + QStringLiteral(" IS NOT NULL)");
    const TSTFilterExpression& expression = filter.expression();
    QString piece =
        conditionText(expression.firstOperator, field, filter.firstOperand(), supportsLocalLike);
    // A text ending in a connective keeps its first condition alone.
    if (expression.connective == fopNone || expression.secondOperator == fopNone)
        return piece;
    piece += u' ' + filterOperatorText(expression.connective) +
             conditionText(expression.secondOperator, field, expression.secondOperand,
                           supportsLocalLike);
    return expression.connective == fopOr ? u'(' + piece + u')' : piece;
}

}  // namespace

QString filterValueText(const QVariant& value) {
    if (value.isNull())
        return QStringLiteral("''");
    switch (value.typeId()) {
        case QMetaType::Double:
            return formatGeneral(value.toDouble(), 15, store::Locale::current().decimalSeparator);
        case QMetaType::QDateTime:
            return quoted(value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        default:
            return quoted(value.toString());
    }
}

QString conditionText(FilterOperator op, const QString& field, const QVariant& operand,
                      bool supportsLocalLike) {
    switch (op) {
        case fopIn:
        case fopNotIn:
            return listText(op, field, operand);
        case fopLike:
        case fopNotLike: {
            const bool like = op == fopLike;
            const QString comparison =
                supportsLocalLike
                    ? (like ? QStringLiteral("] Like ") : QStringLiteral("] Not Like "))
                    : (like ? QStringLiteral("] = ") : QStringLiteral("] <> "));
            return QStringLiteral(" [") + field + comparison + filterValueText(operand);
        }
        case fopIsNull:
        case fopIsNotNull:
            return u' ' + bracketed(field) + u' ' + filterOperatorText(op);
        default:
            return u' ' + bracketed(field) + u' ' + filterOperatorText(op) + u' ' +
                   filterValueText(operand);
    }
}

QString filterString(const TDBGridColumns& columns, bool supportsLocalLike) {
    QString text;
    for (int i = 0; i < columns.count(); ++i) {
        const TDBGridColumn& column = columns.at(i);
        const TSTColumnFilter& filter = column.stFilter();
        if (!column.field() || filter.valueKind() == vkOther ||
            filter.expression().firstOperator == fopNone)
            continue;
        text +=
            pieceText(filter, filter.testedField(), supportsLocalLike) + QStringLiteral(" AND ");
    }
    text.chop(4);
    return text;
}

}  // namespace grid
