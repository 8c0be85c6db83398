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
    const int flags = isReadOnly(m_connectionString) ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
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

bool Connection::beginTransaction(const char* statement) {
    if (!sqlite3_get_autocommit(handle()))
        return false;  // an enclosing transaction decides
    store::execute(handle(), QString::fromLatin1(statement));
    return true;
}

void Connection::commitTransaction() {
    sqlite3* db = m_db.get();
    if (db == nullptr || sqlite3_get_autocommit(db))
        throw Error(m_name + QStringLiteral(": the transaction ended before its commit"));
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return;
    // A commit that cannot finish (another process reading, a full disk)
    // undoes the transaction rather than leave the file locked.
    const Error error(QString::fromUtf8(sqlite3_errmsg(db)));
    rollbackTransaction();
    throw error;
}

void Connection::rollbackTransaction() noexcept {
    if (!isOpen())
        return;
    if (!sqlite3_get_autocommit(m_db.get()))
        sqlite3_exec(m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    // Rows that the queries hold may be gone now.
    for (Query* query : std::vector<Query*>(m_queries))
        query->reloadAfterRollback();
}

Connection::Batch::Batch(Connection& connection) : m_connection(connection) {
    if (m_connection.m_batchDepth == 0)
        m_began = m_connection.beginTransaction("BEGIN");
    ++m_connection.m_batchDepth;
}

Connection::Batch::~Batch() {
    if (!m_ended)
        keepAfterFailure();
    if (m_connection.m_batchDepth > 0)
        --m_connection.m_batchDepth;
}

void Connection::Batch::commit() {
    if (m_ended)
        return;
    m_ended = true;
    if (m_began && m_connection.isOpen())
        m_connection.commitTransaction();
    m_kept = true;
}

bool Connection::Batch::keepAfterFailure() noexcept {
    if (m_ended)
        return m_kept;
    m_ended = true;
    if (!m_began || !m_connection.isOpen()) {
        m_kept = true;
        return m_kept;
    }
    // An engine error may have undone the transaction already.
    if (sqlite3_get_autocommit(m_connection.m_db.get())) {
        m_connection.rollbackTransaction();
        return m_kept;
    }
    try {
        m_connection.commitTransaction();
        m_kept = true;
    } catch (const Error&) {
    }
    return m_kept;
}

Connection::Transaction::Transaction(Connection& connection) : m_connection(connection) {
    m_began = m_connection.beginTransaction("BEGIN IMMEDIATE");
}

Connection::Transaction::~Transaction() {
    if (m_began)
        m_connection.rollbackTransaction();
}

void Connection::Transaction::commit() {
    if (!m_began)
        return;
    m_began = false;
    if (m_connection.isOpen())
        m_connection.commitTransaction();
}

}  // namespace store
