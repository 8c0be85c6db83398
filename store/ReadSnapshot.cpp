#include "store/ReadSnapshot.h"

#include "store/Connection.h"
#include "store/Query.h"

namespace store {

ReadSnapshot::ReadSnapshot(Query& query) : m_connection(query.connection()) {
    if (!query.isActive())
        return;
    query.settle();
    begin();
    try {
        query.requery();
    } catch (...) {
        end();
        throw;
    }
}

ReadSnapshot::ReadSnapshot(Connection& connection) : m_connection(connection) {
    begin();
}

void ReadSnapshot::begin() {
    if (sqlite3_get_autocommit(m_connection.handle())) {
        execute(m_connection.handle(), QStringLiteral("BEGIN"));
        m_began = true;
    }
}

ReadSnapshot::~ReadSnapshot() {
    end();
}

void ReadSnapshot::end() noexcept {
    if (!m_began || !m_connection.isOpen())
        return;
    m_began = false;
    sqlite3* db = m_connection.handle();
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

}  // namespace store
