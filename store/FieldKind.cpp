#include "store/FieldKind.h"

#include <QRegularExpression>

namespace store {

QString fieldKindName(FieldKind kind) {
    switch (kind) {
        case FieldKind::WideString:
            return QStringLiteral("WideString");
        case FieldKind::Integer:
            return QStringLiteral("Integer");
        case FieldKind::AutoInc:
            return QStringLiteral("AutoInc");
        case FieldKind::Memo:
            return QStringLiteral("Memo");
        case FieldKind::Boolean:
            return QStringLiteral("Boolean");
        case FieldKind::BCD:
            return QStringLiteral("BCD");
        case FieldKind::Float:
            return QStringLiteral("Float");
        case FieldKind::DateTime:
            return QStringLiteral("DateTime");
        case FieldKind::SmallInt:
            return QStringLiteral("SmallInt");
    }
    return {};
}

bool isTextKind(FieldKind kind) {
    return kind == FieldKind::WideString || kind == FieldKind::Memo;
}

bool isIntegerKind(FieldKind kind) {
    return kind == FieldKind::Integer || kind == FieldKind::AutoInc ||
           kind == FieldKind::SmallInt || kind == FieldKind::Boolean;
}

bool isNumericKind(FieldKind kind) {
    return kind == FieldKind::SmallInt || kind == FieldKind::Integer ||
           kind == FieldKind::AutoInc || kind == FieldKind::Float || kind == FieldKind::BCD;
}

DeclaredType declaredTypeOf(const QString& sqlType, bool isRowidAlias) {
    if (isRowidAlias)
        return {FieldKind::AutoInc, 0};

    static const QRegularExpression sized(QStringLiteral(R"(^\s*(\w+)\s*\(\s*(\d+)\s*\)\s*$)"));
    const QString type = sqlType.trimmed().toUpper();
    const QRegularExpressionMatch match = sized.match(type);
    const QString base = match.hasMatch() ? match.captured(1) : type;
    const int size = match.hasMatch() ? match.captured(2).toInt() : 0;

    if (base == u"MEMO" || base == u"LONGTEXT" || base == u"NOTE" || base == u"CLOB")
        return {FieldKind::Memo, 0};
    if (base == u"TEXT" || base == u"VARCHAR" || base == u"NVARCHAR" || base == u"CHAR" ||
        base == u"NCHAR" || base == u"STRING" || base == u"CHARACTER")
        return size > 0 ? DeclaredType{FieldKind::WideString, size}
                        : DeclaredType{FieldKind::Memo, 0};
    if (base == u"INTEGER" || base == u"INT" || base == u"LONG" || base == u"INT4")
        return {FieldKind::Integer, 0};
    if (base == u"SMALLINT" || base == u"SHORT" || base == u"INT2" || base == u"BYTE" ||
        base == u"TINYINT")
        return {FieldKind::SmallInt, 0};
    if (base == u"BIT" || base == u"BOOLEAN" || base == u"BOOL" || base == u"YESNO" ||
        base == u"LOGICAL")
        return {FieldKind::Boolean, 0};
    if (base == u"DECIMAL" || base == u"NUMERIC" || base == u"MONEY" || base == u"CURRENCY")
        return {FieldKind::BCD, 0};
    if (base == u"REAL" || base == u"FLOAT" || base == u"DOUBLE" || base == u"SINGLE")
        return {FieldKind::Float, 0};
    if (base == u"DATE" || base == u"DATETIME" || base == u"TIME" || base == u"TIMESTAMP")
        return {FieldKind::DateTime, 0};
    if (base.contains(u"INT"))
        return {FieldKind::Integer, 0};
    if (base.contains(u"CHAR") || base.contains(u"TEXT") || base.isEmpty())
        return {FieldKind::Memo, 0};
    return {FieldKind::Float, 0};
}

bool kindsCompatible(FieldKind expected, FieldKind actual) {
    if (isTextKind(expected))
        return isTextKind(actual);
    // A plain integer column is no row identity: new rows would get no ID.
    if (expected == FieldKind::AutoInc)
        return actual == FieldKind::AutoInc;
    if (expected == FieldKind::Integer)
        return actual == FieldKind::Integer || actual == FieldKind::AutoInc;
    return expected == actual;
}

}  // namespace store
