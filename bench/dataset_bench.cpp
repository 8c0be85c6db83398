// The item query's own reading and writing, each figure beside its peer in
// the same run:
// - 100,000 rows read last to first through the dataset (cursor moved with
//   prior(), every field read) against the same rows first to last;
// - 50,000 appends whose assigned fields change from record to record against
//   50,000 appends that assign the same fields every time (as many values).
//
//   dataset_bench DB [FOLDER]
//
// DB is an item database of at least 100,000 records, only read; the appends
// go to new databases in FOLDER (default: a temporary folder).

#include <cstdio>
#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "bench/Stopwatch.h"
#include "store/Connection.h"
#include "store/FieldKind.h"
#include "store/ItemDatabase.h"

namespace {

constexpr int kReadRows = 100000;
constexpr int kAppends = 50000;
constexpr int kRounds = 3;
// The appends that change their fields leave out one of this many fields in turn.
constexpr int kFieldSets = 8;

struct Figure {
    bench::Timing timing;
    int statements;
};

int countStatement(unsigned, void* count, void*, void*) {
    ++*static_cast<int*>(count);
    return 0;
}

// Opens the item query of `path`, counting in `statements` every statement
// the connection runs from then on.
void openCountingStatements(store::ItemDatabase& database, const QString& path, int& statements) {
    database.connectFile(path);
    database.openItemQuery();
    sqlite3_trace_v2(database.itemConnection.handle(), SQLITE_TRACE_STMT, countStatement,
                     &statements);
}

// Runs `work` kRounds times, the two sides of a figure taking turns, and keeps
// the median wall and processor time of each side.
std::pair<Figure, Figure> compare(const std::function<Figure()>& ours,
                                  const std::function<Figure()>& peer) {
    std::vector<double> wall[2], cpu[2];
    Figure last[2] = {};
    for (int round = 0; round < kRounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            last[side] = side == 0 ? ours() : peer();
            wall[side].push_back(last[side].timing.wallMs);
            cpu[side].push_back(last[side].timing.cpuMs);
        }
    }
    for (int side = 0; side < 2; ++side)
        last[side].timing = {bench::median(wall[side]), bench::median(cpu[side])};
    return {last[0], last[1]};
}

void print(const char* label, const char* oursName, const char* peerName,
           const std::pair<Figure, Figure>& figures) {
    const auto& [ours, peer] = figures;
    std::printf("%s\n", label);
    std::printf("  %-24s %9.1f ms (cpu %9.1f ms) %7d statements\n", oursName, ours.timing.wallMs,
                ours.timing.cpuMs, ours.statements);
    std::printf("  %-24s %9.1f ms (cpu %9.1f ms) %7d statements\n", peerName, peer.timing.wallMs,
                peer.timing.cpuMs, peer.statements);
    std::printf("  ratio %.2f (cpu %.2f)\n",
                peer.timing.wallMs > 0 ? ours.timing.wallMs / peer.timing.wallMs : 0.0,
                peer.timing.cpuMs > 0 ? ours.timing.cpuMs / peer.timing.cpuMs : 0.0);
}

// Reads every field of kReadRows rows, moving the cursor one row at a time.
Figure readRows(const QString& path, bool backwards) {
    store::ItemDatabase database;
    int statements = 0;
    openCountingStatements(database, path, statements);
    store::Query& query = database.itemQuery;
    qsizetype characters = 0;
    const bench::Stopwatch watch;
    backwards ? query.last() : query.first();
    for (int row = 0; row < kReadRows; ++row) {
        for (int field = 0; field < query.fieldCount(); ++field)
            characters += query.field(field).asText().size();
        backwards ? query.prior() : query.next();
    }
    const Figure figure{watch.elapsed(), statements};
    if (characters == 0)
        std::fprintf(stderr, "no values read\n");
    return figure;
}

// Appends kAppends records to a new database, each assigning every field but
// the ID and one left out: always the same one, or a different one from one
// record to the next.
Figure appendRecords(const QString& path, bool changingFields) {
    QFile::remove(path);
    store::createItemDatabaseFile(path);
    store::ItemDatabase database;
    int statements = 0;
    openCountingStatements(database, path, statements);
    store::Query& query = database.itemQuery;
    const int idField = query.fieldCount() - 1;
    const bench::Stopwatch watch;
    {
        store::Connection::Batch batch(database.itemConnection);
        for (int record = 0; record < kAppends; ++record) {
            query.append();
            const int leftOut = 1 + (changingFields ? record % kFieldSets : 0);
            for (int field = 0; field < idField; ++field) {
                if (field == leftOut)
                    continue;
                store::Field& f = query.field(field);
                if (store::isIntegerKind(f.kind()))
                    f.setValue(QVariant(qlonglong(record % 1000)));
                else
                    f.setText(QStringLiteral("值%1").arg(record % 997));
            }
        }
        query.post();
        batch.commit();
    }
    const Figure figure{watch.elapsed(), statements};
    database.closeAll();
    QFile::remove(path);
    return figure;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dataset_bench DB [FOLDER]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir temporary;
    const QDir folder(argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path());

    print("read 100,000 rows through the dataset", "last to first", "first to last",
          compare([&] { return readRows(path, true); }, [&] { return readRows(path, false); }));
    const QString target = folder.filePath(QStringLiteral("appends.db"));
    print("50,000 appends", "fields change each record", "the same fields",
          compare([&] { return appendRecords(target, true); },
                  [&] { return appendRecords(target, false); }));
    return 0;
}
