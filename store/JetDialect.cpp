#include "store/JetDialect.h"

#include <QRegularExpression>

namespace store {

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
    // A column type of "Memo" would give the column numeric affinity in
    // SQLite, which turns stored texts such as "007" into numbers; TEXT keeps
    // them and still reads back as a memo field.
    static const QRegularExpression memoColumn(
        QStringLiteral(R"(^(\s*ALTER\s+TABLE\s+\S+\s+ADD\s+(?:COLUMN\s+)?\S+\s+)Memo\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch memo = memoColumn.match(statement);
    if (memo.hasMatch())
        return memo.captured(1) + QStringLiteral("TEXT");
    return statement;
}

}  // namespace store
