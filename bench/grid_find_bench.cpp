// Finding text in the data grid over an item database of 1,000,000 records,
// offscreen, through the grid's locate operation as the find dialog calls it:
// a search of one column that finds nothing (the grid must stay where it
// was), the same over every visible column, and a search that finds a match
// 500,000 records below the current one.
//
//   grid_find_bench DB
//
// DB is an item database made by "itemdesk-cli demo DB 1000000". Prints one
// line per search: label, wall seconds, processor seconds and the record the
// grid is on afterwards, separated by tabs.

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFont>
#include <QScrollBar>

#include "bench/Stopwatch.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/features/LocateTextRequest.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"

namespace {

struct Search {
    const char* label;
    grid::LocateTextRequest request;
    int startRow;
    bool expectFound;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grid_find_bench DB\n");
        return 2;
    }
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));

    store::ItemDatabase database;
    database.connectFile(QString::fromLocal8Bit(argv[1]));
    database.openItemQuery();
    store::Query& query = database.itemQuery;
    store::DataSource source;
    source.setDataSet(&query);
    grid::TDBGrid view;
    grid::addItemColumns(view.columns(), &source);
    view.setDataSource(&source);
    view.resize(1034, 420);
    view.show();
    QCoreApplication::processEvents();

    const auto request = [](const char* field, const char* text, grid::LocateOptions options) {
        grid::LocateTextRequest r;
        r.fieldName = QString::fromUtf8(field);
        r.text = QString::fromUtf8(text);
        r.options = options | grid::LocateOption::CaseInsensitive;
        r.direction = grid::LocateDirection::Down;
        return r;
    };
    const Search searches[] = {
        {"nothing found, one column",
         request("宝贝名称", "没有这件宝贝", grid::LocateOption::MatchFormat), 0, false},
        {"nothing found, <All> columns", request("", "没有这件宝贝", grid::LocateOption::AllFields),
         0, false},
        {"match 500,000 records away",
         request("宝贝链接", "/item/600001", grid::LocateOption::MatchFormat), 0, true},
    };
    for (const Search& search : searches) {
        query.moveTo(search.startRow);
        view.setCurrentColumn(view.columns().at(0));
        QCoreApplication::processEvents();
        const int top = view.verticalScrollBar()->value();
        const int row = query.recNo();
        const bench::Stopwatch stopwatch;
        const bool found = view.locateText(search.request);
        QCoreApplication::processEvents();
        view.repaint();
        const bench::Timing timing = stopwatch.elapsed();
        if (found != search.expectFound ||
            (!found && (query.recNo() != row || view.verticalScrollBar()->value() != top))) {
            std::fprintf(stderr, "%s: wrong outcome (found %d, record %d, top row %d)\n",
                         search.label, found, query.recNo(), view.verticalScrollBar()->value());
            return 1;
        }
        std::printf("%s\t%.3f\t%.3f\t%d\n", search.label, timing.wallMs / 1000.0,
                    timing.cpuMs / 1000.0, query.recNo() + 1);
    }
    view.setDataSource(nullptr);
    return 0;
}
