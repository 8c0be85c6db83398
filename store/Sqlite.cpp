#include "store/Sqlite.h"

#include <QStringEncoder>

#include "store/Error.h"
#include "store/Utf16Text.h"

namespace store {

void raiseEngineError(sqlite3* db) {
    throw Error(QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"));
}

StatementHandle prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        raiseEngineError(db);
    }
    return StatementHandle(statement);
}

void execute(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw Error(text);
    }
}

bool step(sqlite3_stmt* statement) {
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    raiseEngineError(sqlite3_db_handle(statement));
}

void bind(sqlite3_stmt* statement, int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(statement, index);
    } else {
        switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(statement, index, value.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(statement, index, value.toDouble());
                break;
            default: {
                // UTF-8, because the engine takes a leading U+FEFF or U+FFFE of
                // UTF-16 text for a byte-order mark. The bytes are encoded into
                // memory that the engine takes over, so that it copies none.
                const QString text = withLoneSurrogatesReplaced(value.toString());
                QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
                char* bytes = static_cast<char*>(sqlite3_malloc64(
                    static_cast<sqlite3_uint64>(encoder.requiredSpace(text.size())) + 1));
                if (bytes == nullptr)
                    raiseEngineError(nullptr);
                const char* end = encoder.appendToBuffer(bytes, text);
                rc = sqlite3_bind_text64(statement, index, bytes,
                                         static_cast<sqlite3_uint64>(end - bytes), sqlite3_free,
                                         SQLITE_UTF8);
            }
        }
    }
    if (rc != SQLITE_OK)
        raiseEngineError(sqlite3_db_handle(statement));
}

QVariant columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(statement, column));
        default: {
            // The file holds UTF-8; converting here is faster than asking the
            // engine for UTF-16.
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            const int bytes = sqlite3_column_bytes(statement, column);
            return QVariant(QString::fromUtf8(text, bytes));
        }
    }
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace store
