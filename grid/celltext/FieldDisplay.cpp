#include "grid/celltext/FieldDisplay.h"

namespace grid {

QString cellDisplayText(store::FieldKind kind, const QVariant& value) {
    using store::FieldKind;
    if (kind == FieldKind::Memo) {
        const QString placeholder = u'(' + store::fieldKindName(kind) + u')';
        return value.isNull() ? placeholder : placeholder.toUpper();
    }
    if (value.isNull())
        return {};
    switch (kind) {
        case FieldKind::Integer:
        case FieldKind::AutoInc:
        case FieldKind::SmallInt: {
            // A value the engine holds as text in a numeric column shows as it stands.
            bool whole = false;
            const qlonglong number = value.toLongLong(&whole);
            return whole ? QString::number(number) : value.toString();
        }
        case FieldKind::Boolean:
            return value.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case FieldKind::Float:
        case FieldKind::BCD:
            return QString::number(value.toDouble(), 'g', 15);
        default:
            return value.toString();
    }
}

TAlignment fieldAlignment(store::FieldKind kind) {
    using store::FieldKind;
    switch (kind) {
        case FieldKind::Integer:
        case FieldKind::AutoInc:
        case FieldKind::SmallInt:
        case FieldKind::Float:
        case FieldKind::BCD:
            return taRightJustify;
        default:
            return taLeftJustify;
    }
}

}  // namespace grid
