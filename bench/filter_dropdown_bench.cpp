// Opening a filter cell's dropdown list in the data grid over an item
// database: the time from the click on the dropdown button until the list is
// painted, the first time (the distinct values are read and sorted) and the
// second time (the cached values are shown again).
//
//   filter_dropdown_bench DB [FIELD]
//
// FIELD defaults to 宝贝名称. Prints both times in milliseconds, wall and
// processor time, and the number of values listed.

#include <cstdio>

#include <QApplication>
#include <QFont>
#include <QListView>

#include "bench/Stopwatch.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/filterrow/FilterDropDown.h"
#include "grid/view/GridFilterRow.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"

namespace {

// Drops the column's list down and waits until it is painted.
bench::Timing timedDropDown(grid::TDBGrid& view, grid::TDBGridColumn& column) {
    const bench::Stopwatch stopwatch;
    grid::GridFilterRow& filterRow = view.filterRow();
    filterRow.open(column);
    filterRow.showDropDown();
    QCoreApplication::processEvents();
    filterRow.dropDown().repaint();
    const bench::Timing timing = stopwatch.elapsed();
    filterRow.dropDown().hide();
    filterRow.close();
    return timing;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: filter_dropdown_bench DB [FIELD]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));
    const QString fieldName =
        argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("宝贝名称");

    store::ItemDatabase database;
    store::DataSource source;
    grid::TDBGrid view;
    int failures = 0;
    QObject::connect(&view, &grid::TDBGrid::failed, [&failures](const std::exception_ptr& e) {
        ++failures;
        try {
            std::rethrow_exception(e);
        } catch (const store::Error& error) {
            std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        } catch (...) {
            std::fprintf(stderr, "failed\n");
        }
    });
    try {
        database.connectFile(QString::fromLocal8Bit(argv[1]));
        database.openItemQuery();
        source.setDataSet(&database.itemQuery);
        grid::addItemColumns(view.columns(), &source);
        view.setDataSource(&source);
        view.resize(1034, 420);
        view.show();
        QCoreApplication::processEvents();
        view.repaint();
    } catch (const store::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    grid::TDBGridColumn* column = nullptr;
    for (int i = 0; i < view.columns().count(); ++i) {
        if (view.columns().at(i).fieldName() == fieldName)
            column = &view.columns().at(i);
    }
    if (!column || !column->stFilter().listSource()) {
        std::fprintf(stderr, "no column with a list shows %s\n", qPrintable(fieldName));
        return 2;
    }
    const bench::Timing first = timedDropDown(view, *column);
    const bench::Timing second = timedDropDown(view, *column);
    if (failures > 0)
        return 1;
    std::printf("first %.0f ms (cpu %.0f ms)  second %.0f ms (cpu %.0f ms)  values %d\n",
                first.wallMs, first.cpuMs, second.wallMs, second.cpuMs,
                view.filterRow().dropDown().model().rowCount() - 4);
    view.setDataSource(nullptr);
    return 0;
}
