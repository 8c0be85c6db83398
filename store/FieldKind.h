#pragma once

#include <QString>

namespace store {

// The kinds a dataset field can have. Names follow the ones shown in type
// mismatch messages.
enum class FieldKind {
    WideString,
    Integer,
    AutoInc,
    Memo,
    Boolean,
    BCD,
    Float,
    DateTime,
    SmallInt
};

QString fieldKindName(FieldKind kind);

// True for kinds that hold text (wide string and memo).
bool isTextKind(FieldKind kind);
// True for kinds that hold whole numbers (integer, small integer, autoincrement, boolean).
bool isIntegerKind(FieldKind kind);
// True for kinds that hold numbers to sum and format: integer, small integer,
// autoincrement, BCD and float. A boolean is no number here.
bool isNumericKind(FieldKind kind);

// The kind and size that a column's declared SQLite type gives, for example
// "TEXT(150)" -> WideString 150, "Memo" -> Memo, "Bit" -> Boolean. A plain
// TEXT has no size and counts as memo. `isRowidAlias` marks an
// INTEGER PRIMARY KEY column, which is an autoincrement field.
struct DeclaredType {
    FieldKind kind;
    int size;  // characters for WideString, 0 otherwise
};
DeclaredType declaredTypeOf(const QString& sqlType, bool isRowidAlias);

// Whether a column of kind `actual` can back a declared field of kind
// `expected`. Text columns of any width back text and memo fields.
bool kindsCompatible(FieldKind expected, FieldKind actual);

}  // namespace store
