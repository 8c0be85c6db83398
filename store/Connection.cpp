#include "store/Connection.h"

#include <algorithm>

#include "store/ConnectionString.h"
#include "store/Error.h"
#include "store/JetDialect.h"
#include "store/Query.h"

namespace store {

namespace {

// How long a statement waits for another process's lock before it fails.
constexpr int kBusyTimeoutMs = 10000;

}  // namespace

Connection::Connection(QString name) : m_name(std::move(name)) {}

Connection::~Connection() {
    close();
}

void Connection::setConnectionString(const QString& connectionString) {
    if (isOpen())
        throw Error(m_name +
                    QStringLiteral(": Operation not allowed while the connection is open"));
    m_connectionString = connectionString;
}

QString Connection::databasePath() const {
    return dataSourceOf(m_connectionString);
}

void Connection::open() {
    if (isOpen())
        return;
    const QString path = databasePath();
    if (path.isEmpty())
        throw Error(m_name + QStringLiteral(": no database file is set"));

    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK)
        throw Error(QString::fromUtf8(sqlite3_errmsg(raw)) + QStringLiteral(": ") + path);
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    sqlite3_extended_result_codes(db.get(), 1);
    // Reading the schema tells a database from any other file.
    store::execute(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"));
    m_db = std::move(db);
}

void Connection::close() {
    if (!isOpen())
        return;
    for (Query* query : std::vector<Query*>(m_queries))
        query->close();
    for (Query* query : m_queries)
        query->forgetConnectionHandle();
    m_batchDepth = 0;
    m_db.reset();
}

sqlite3* Connection::handle() {
    open();
    return m_db.get();
}

QStringList Connection::tableNames() {
    QStringList names{QStringLiteral("sqlite_master")};
    StatementHandle statement = prepare(
        handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"));
    while (step(statement.get()))
        names << columnValue(statement.get(), 0).toString();
    return names;
}

bool Connection::tableExists(const QString& name) {
    return tableNames().contains(name, Qt::CaseInsensitive);
}

void Connection::execute(const QString& statement) {
    store::execute(handle(), translateJetStatement(statement));
}

void Connection::attach(Query* query) {
    m_queries.push_back(query);
}

void Connection::detach(Query* query) {
    m_queries.erase(std::remove(m_queries.begin(), m_queries.end(), query), m_queries.end());
}

Connection::Batch::Batch(Connection& connection) : m_connection(connection) {
    if (m_connection.m_batchDepth++ == 0 && sqlite3_get_autocommit(m_connection.handle())) {
        store::execute(m_connection.handle(), QStringLiteral("BEGIN"));
        m_began = true;
    }
}

Connection::Batch::~Batch() {
    if (m_connection.m_batchDepth > 0)
        --m_connection.m_batchDepth;
    if (!m_began || !m_connection.isOpen() || sqlite3_get_autocommit(m_connection.m_db.get()))
        return;
    // Keep what was posted, also when the batch ends with an error. A commit
    // that fails (a full disk) rolls back rather than leave the file locked.
    if (sqlite3_exec(m_connection.m_db.get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_connection.m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

}  // namespace store
