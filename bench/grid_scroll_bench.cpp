// Scrolling the data grid over 1,000,000 item records: the time to move the
// cursor to the first record and repaint, against the time to move it to the
// last record and repaint; PgUp 200 times from the last record against PgDn
// 200 times from the first. The grid reads only the rows it shows, so each
// pair should be alike. Also prints what attaching the dataset costs, and the
// memory held after every record has been read onto the screen.
//
//   grid_scroll_bench [DB]
//
// DB is an item database (for example made by "itemdesk-cli demo DB 1000000");
// without one, a database of 1,000,000 records is filled in a temporary folder.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "bench/Stopwatch.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "store/RowCache.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kRounds = 15;
constexpr int kPageKeys = 200;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void execute(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "SQL failed: %s\n", message ? message : "");
        std::exit(1);
    }
}

// Records with Chinese names, prices and a short description each.
void fillDatabase(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    execute(db, store::createItemTableSql());
    execute(db,
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO BabyData (宝贝名称, 宝贝类目, 省, 城市, 宝贝价格, 宝贝数量, 宝贝描述, "
                "宝贝链接) SELECT '北辰 新款简约双肩包 第' || i || '号', 50000000 + i % 997, "
                "'浙江', '杭州', i % 1000, i % 50, '<p>做工精细，包邮。</p>', "
                "'https://shop.example.cn/item/' || i FROM n")
                .arg(kRecords));
    sqlite3_close(db);
}

// Moves the cursor and waits until the grid shows the new rows.
double timedMove(grid::TDBGrid& view, const std::function<void()>& move) {
    const Clock::time_point start = Clock::now();
    move();
    QCoreApplication::processEvents();
    view.repaint();
    return millisecondsSince(start);
}

// Presses `key` kPageKeys times, the grid repainted after each.
bench::Timing pressPageKeys(grid::TDBGrid& view, Qt::Key key) {
    const bench::Stopwatch watch;
    for (int i = 0; i < kPageKeys; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
        QCoreApplication::processEvents();
        view.repaint();
    }
    return watch.elapsed();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));

    QTemporaryDir folder;
    QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : folder.filePath(QStringLiteral("Data.mdb"));
    if (!QFile::exists(path)) {
        std::printf("filling %d records into %s ...\n", kRecords, qPrintable(path));
        fillDatabase(path);
    }

    store::ItemDatabase database;
    store::Query& query = database.itemQuery;
    Clock::time_point start = Clock::now();
    database.connectFile(path);
    database.openItemQuery();
    const double openMs = millisecondsSince(start);
    const double openMb = residentMegabytes();

    store::DataSource source;
    source.setDataSet(&query);
    grid::TDBGrid view;
    grid::addItemColumns(view.columns(), &source);
    view.resize(1034, 420);
    view.show();
    QCoreApplication::processEvents();
    view.repaint();
    const double shownMb = residentMegabytes();

    start = Clock::now();
    view.setDataSource(&source);
    QCoreApplication::processEvents();
    view.repaint();
    const double attachMs = millisecondsSince(start);
    const double attachMb = residentMegabytes() - shownMb;

    std::mt19937 random(7);
    std::uniform_int_distribution<int> middle(query.recordCount() / 4, query.recordCount() * 3 / 4);
    std::vector<double> first, last, jumps;
    for (int round = 0; round < kRounds; ++round) {
        jumps.push_back(timedMove(view, [&] { query.moveTo(middle(random)); }));
        first.push_back(timedMove(view, [&] { query.first(); }));
        jumps.push_back(timedMove(view, [&] { query.moveTo(middle(random)); }));
        last.push_back(timedMove(view, [&] { query.last(); }));
    }
    const double firstMs = bench::median(first);
    const double lastMs = bench::median(last);

    std::vector<double> downWall, downCpu, upWall, upCpu;
    for (int round = 0; round < 3; ++round) {
        query.first();
        const bench::Timing down = pressPageKeys(view, Qt::Key_PageDown);
        downWall.push_back(down.wallMs);
        downCpu.push_back(down.cpuMs);
        query.last();
        const bench::Timing up = pressPageKeys(view, Qt::Key_PageUp);
        upWall.push_back(up.wallMs);
        upCpu.push_back(up.cpuMs);
    }

    // Down the whole table a block of the row cache at a time: every block
    // shows on screen, so every record is read once.
    const int page = view.verticalScrollBar()->pageStep();
    const bench::Stopwatch endToEnd;
    query.first();
    do {
        query.moveBy(store::RowCache::kBlockSize);
        QCoreApplication::processEvents();
        view.repaint();
    } while (!query.eof());
    const bench::Timing pagedThrough = endToEnd.elapsed();

    std::printf("records                         %d\n", query.recordCount());
    std::printf("open the item query             %8.1f ms  (%.0f MB resident)\n", openMs, openMb);
    std::printf("attach the grid and paint       %8.1f ms  (+%.1f MB)\n", attachMs, attachMb);
    std::printf("move to a middle row and paint  %8.2f ms  (median)\n", bench::median(jumps));
    std::printf("move to the first and paint     %8.2f ms  (median of %d)\n", firstMs, kRounds);
    std::printf("move to the last and paint      %8.2f ms  (median of %d)\n", lastMs, kRounds);
    std::printf("last / first                    %8.2f\n", firstMs > 0 ? lastMs / firstMs : 0.0);
    const double downMs = bench::median(downWall), downCpuMs = bench::median(downCpu);
    const double upMs = bench::median(upWall), upCpuMs = bench::median(upCpu);
    std::printf("PgDn x %d from the first       %8.1f ms (cpu %.1f ms, median of 3)\n", kPageKeys,
                downMs, downCpuMs);
    std::printf("PgUp x %d from the last        %8.1f ms (cpu %.1f ms, median of 3)\n", kPageKeys,
                upMs, upCpuMs);
    std::printf("PgUp / PgDn                     %8.2f (cpu %.2f)\n",
                downMs > 0 ? upMs / downMs : 0.0, downCpuMs > 0 ? upCpuMs / downCpuMs : 0.0);
    std::printf(
        "every record read onto the screen %6.1f s  (cpu %.1f s, %d rows a step, %d "
        "shown), %.0f MB resident after\n",
        pagedThrough.wallMs / 1000, pagedThrough.cpuMs / 1000, store::RowCache::kBlockSize, page,
        residentMegabytes());
    view.setDataSource(nullptr);
    return 0;
}
