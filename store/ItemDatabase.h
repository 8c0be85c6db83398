#pragma once

#include <QString>

#include "store/Connection.h"
#include "store/Query.h"

namespace store {

// How a database file is opened: read-only connections refuse every change.
enum class Access { ReadWrite, ReadOnly };

// The engine objects of the system: the item connection with the item query
// ("Select * from BabyData", the 47 declared fields) and the work query that
// runs statements, and the source connection with its query.
class ItemDatabase {
public:
    ItemDatabase();
    ~ItemDatabase();

    Connection itemConnection{QStringLiteral("ADOConnection1")};
    Connection sourceConnection{QStringLiteral("ADOConnection2")};
    Query itemQuery{itemConnection, QStringLiteral("ADOQuery1")};
    Query workQuery{itemConnection, QStringLiteral("ADOQuery2")};
    Query sourceQuery{sourceConnection, QStringLiteral("ADOQuery3")};

    // Closes the item connection and points it at a database file.
    void connectFile(const QString& path, Access access = Access::ReadWrite);
    // Opens the item query; no-op when it is open.
    void openItemQuery();
    // Closes the item connection, then the source connection.
    void closeAll();
};

}  // namespace store

namespace store {

// Creates a new item database file holding an empty BabyData table; an
// existing file is refused and left untouched.
void createItemDatabaseFile(const QString& path);

}  // namespace store
