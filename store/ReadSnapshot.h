#pragma once

namespace store {

class Connection;
class Query;

// One consistent state of the database for a walk over a query that writes a
// file: settles a pending edit, begins a read transaction and reads the
// query's rows again inside it. Other processes cannot commit changes until
// the snapshot ends (they wait for it, then fail with the engine's message),
// so no record vanishes or changes halfway through the walk.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Query& query);
    // A read transaction over the connection alone, for statements that only
    // read: they all see the same state, and the file is not written.
    explicit ReadSnapshot(Connection& connection);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    void begin();
    void end() noexcept;

    Connection& m_connection;
    bool m_began = false;
};

}  // namespace store
