#include "store/ConnectionString.h"

namespace store {

QString connectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=") + path +
           QStringLiteral(";Persist Security Info=True");
}

QString dataSourceOf(const QString& connectionString) {
    // The path is inserted verbatim, so it runs up to the next ";Name=" part
    // (a path may itself hold ';').
    const QString key = QStringLiteral("Data Source=");
    const qsizetype start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    const qsizetype from = start + key.size();
    qsizetype end = connectionString.size();
    for (qsizetype i = from; i < connectionString.size(); ++i) {
        if (connectionString[i] != u';')
            continue;
        const qsizetype equals = connectionString.indexOf(u'=', i + 1);
        const qsizetype nextSemicolon = connectionString.indexOf(u';', i + 1);
        if (equals > i + 1 && (nextSemicolon < 0 || equals < nextSemicolon)) {
            const QStringView name = QStringView(connectionString).mid(i + 1, equals - i - 1);
            if (!name.contains(u'/') && !name.contains(u'\\')) {
                end = i;
                break;
            }
        }
    }
    return connectionString.mid(from, end - from);
}

}  // namespace store
