#include "store/JetDialect.h"

#include <QRegularExpression>

#include "store/Error.h"

namespace store {

namespace {

// ALTER TABLE <table> ADD [COLUMN] <definition>
QString translateAddColumn(const QRegularExpressionMatch& match) {
    // The engine takes one name and one type; SQLite would read "a b TEXT" as
    // a column "a" of type "b TEXT" and add a column of the wrong name.
    static const QRegularExpression definition(
        QStringLiteral(R"(^(\S+)\s+(\w+(?:\(\s*\d+\s*\))?)$)"));
    const QRegularExpressionMatch column = definition.match(match.captured(2));
    if (!column.hasMatch()) {
        throw Error(QStringLiteral("Syntax error in field definition."));
    }
    // A column type of "Memo" would give the column numeric affinity in
    // SQLite, which turns stored texts such as "007" into numbers; TEXT keeps
    // them and still reads back as a memo field.
    const QString type =
        column.captured(2).compare(QStringLiteral("Memo"), Qt::CaseInsensitive) == 0
            ? QStringLiteral("TEXT")
            : column.captured(2);
    return match.captured(1) + column.captured(1) + u' ' + type;
}

}  // namespace

QString translateJetStatement(const QString& statement) {
    // SELECT <list> INTO <table> FROM <rest>  ->  CREATE TABLE <table> AS SELECT <list> FROM <rest>
    static const QRegularExpression selectInto(
        QStringLiteral(R"(^\s*SELECT\s+(.+?)\s+INTO\s+(\[[^\]]+\]|[^\s\[]+)\s+(FROM\s.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = selectInto.match(statement);
    if (match.hasMatch()) {
        return QStringLiteral("CREATE TABLE ") + match.captured(2) + QStringLiteral(" AS SELECT ") +
               match.captured(1) + u' ' + match.captured(3);
    }
    static const QRegularExpression addColumn(
        QStringLiteral(R"(^(\s*ALTER\s+TABLE\s+\S+\s+ADD\s+(?:COLUMN\s+)?)(.*?)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch add = addColumn.match(statement);
    if (add.hasMatch()) {
        return translateAddColumn(add);
    }
    return statement;
}

}  // namespace store
