#pragma once

#include <vector>

#include <QString>
#include <QVariant>

#include "store/FieldKind.h"

namespace store {

// A dataset field as filter and sort texts name it: the field's name, the
// SQLite column that holds it, and its kind.
struct FilterColumn {
    QString fieldName;
    QString column;
    FieldKind kind;
};

// An SQL condition with ? placeholders and the values to bind to them, in order:
// a null QVariant, qlonglong, double or QString each.
struct CompiledFilter {
    QString sql;
    std::vector<QVariant> args;
};

// Compiles a dataset's filter text to an SQLite condition; a blank text gives an
// empty condition. The language: conditions `[F] op value` (op one of = <> < >
// <= >=), `[F] Like value`, `[F] Not Like value`, `[F] IS NULL`, `[F] IS NOT NULL`,
// joined by AND, OR, NOT and parentheses. Keywords and field names are matched
// without regard to case; a field that is a plain identifier needs no brackets.
// Values are single-quoted text ('' inside stands for one quote) or numbers.
// Text fields compare without regard to case. Against a numeric field a quoted
// value is taken as a number and '' as null; Like tests a numeric field's
// decimal text. In Like patterns * and % stand for any run of characters.
// A text that cannot be evaluated raises Error naming the whole text.
CompiledFilter compileFilter(const QString& filterText, const std::vector<FilterColumn>& columns);

// "Cannot evaluate filter \"TEXT\": ", the start of every message about a
// filter text; a long text is cut to its first 200 characters.
QString filterErrorPrefix(const QString& filterText);

// Compiles a dataset's sort text such as "[宝贝价格] DESC, [宝贝名称]" to an
// ORDER BY list; a blank text gives an empty list. Text fields sort without
// regard to case. An unknown field or a malformed text raises Error naming it.
QString compileSort(const QString& sortText, const std::vector<FilterColumn>& columns);

}  // namespace store
