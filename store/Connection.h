#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "store/Sqlite.h"

namespace store {

class Query;

// A connection to one item database file. Opened in shared mode: several
// processes may read and write the file at once; SQLite's locking with a
// busy timeout keeps the file whole.
class Connection {
public:
    explicit Connection(QString name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return m_name; }

    // Only while closed.
    void setConnectionString(const QString& connectionString);
    const QString& connectionString() const { return m_connectionString; }
    QString databasePath() const;

    // Opens the file named by the connection string; a missing file or one
    // that is no database fails with the engine's message.
    void open();
    // Closes every query over the connection, then the file. No-op when closed.
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Every table name of the database, system tables included.
    QStringList tableNames();
    // Whether `name` is among tableNames(), compared without regard to case.
    bool tableExists(const QString& name);

    // Runs one statement of the item database's dialect that returns no rows.
    void execute(const QString& statement);

    // Batches every change until the batch ends in one transaction, so that
    // many posts pay one disk sync. commit() ends it and raises the engine's
    // error when the commit fails, which undoes the whole batch. A batch that
    // ends otherwise, by an error, keeps what was posted before the failure.
    // Only the outermost batch of nested ones begins and ends the transaction.
    class Batch {
    public:
        explicit Batch(Connection& connection);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        void commit();
        // After a failure: commits what was posted so far. Returns whether the
        // batch's changes are in the database, false when a commit failed and
        // the batch was undone.
        bool keepAfterFailure() noexcept;

    private:
        Connection& m_connection;
        bool m_began = false;
        bool m_ended = false;
        bool m_kept = false;
    };

    // All or nothing: the changes made while it lives are undone unless
    // commit() succeeds. Takes the write lock at once, so that the statements
    // see no other writer between them.
    class Transaction {
    public:
        explicit Transaction(Connection& connection);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        void commit();

    private:
        Connection& m_connection;
        bool m_began = false;
    };

    sqlite3* handle();  // opens on demand

    // Queries register themselves so that closing the connection closes them.
    void attach(Query* query);
    void detach(Query* query);

private:
    bool beginTransaction(const char* statement);
    void commitTransaction();
    void rollbackTransaction() noexcept;

    QString m_name;
    QString m_connectionString;
    DatabaseHandle m_db;
    std::vector<Query*> m_queries;
    int m_batchDepth = 0;
};

}  // namespace store
