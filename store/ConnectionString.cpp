#include "store/ConnectionString.h"

#include <QStringList>

namespace store {

namespace {

// Whether `tail` is nothing but ";Key=value" parts whose keys the connection
// string knows. A path may hold ';' and '=' itself, so only such a tail ends it.
bool isKnownKeyTail(QStringView tail) {
    static const QStringList knownKeys = {
        QStringLiteral("Provider"), QStringLiteral("Password"),
        QStringLiteral("User ID"),  QStringLiteral("Persist Security Info"),
        QStringLiteral("Mode"),     QStringLiteral("Extended Properties"),
    };
    const QList<QStringView> parts = tail.split(u';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QStringView part = parts[i];
        if (part.isEmpty()) {
            if (i + 1 == parts.size())
                continue;  // a ';' that ends the string
            return false;
        }
        const qsizetype equals = part.indexOf(u'=');
        if (equals <= 0)
            return false;
        const QStringView key = part.first(equals).trimmed();
        if (!knownKeys.contains(key, Qt::CaseInsensitive) &&
            !key.startsWith(QLatin1StringView("Jet OLEDB:"), Qt::CaseInsensitive))
            return false;
    }
    return true;
}

// Where the path after "Data Source=" starts; -1 without one.
qsizetype dataSourceStart(const QString& connectionString) {
    const QString key = QStringLiteral("Data Source=");
    const qsizetype start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    return start < 0 ? -1 : start + key.size();
}

}  // namespace

QString connectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=") + path +
           QStringLiteral(";Persist Security Info=True");
}

QString readOnlyConnectionStringFor(const QString& path) {
    return connectionStringFor(path) + QStringLiteral(";Mode=Read");
}

bool isReadOnly(const QString& connectionString) {
    // The keys before and after the path; the path itself may hold ";Mode=Read".
    const qsizetype from = dataSourceStart(connectionString);
    const QStringView text(connectionString);
    const QList<QStringView> parts =
        from < 0 ? text.split(u';')
                 : text.first(from).split(u';') +
                       text.sliced(from + dataSourceOf(connectionString).size()).split(u';');
    for (const QStringView part : parts) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals > 0 && part.first(equals).trimmed().compare(u"Mode", Qt::CaseInsensitive) == 0)
            return part.sliced(equals + 1).trimmed().compare(u"Read", Qt::CaseInsensitive) == 0;
    }
    return false;
}

QString dataSourceOf(const QString& connectionString) {
    const qsizetype from = dataSourceStart(connectionString);
    if (from < 0)
        return {};
    for (qsizetype i = connectionString.indexOf(u';', from); i >= 0;
         i = connectionString.indexOf(u';', i + 1)) {
        if (isKnownKeyTail(QStringView(connectionString).sliced(i)))
            return connectionString.mid(from, i - from);
    }
    return connectionString.mid(from);
}

}  // namespace store
