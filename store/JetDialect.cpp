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
    return statement;
}

}  // namespace store
