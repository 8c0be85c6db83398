// Applying a filter cell's text to the data grid over an item database: the
// time from Enter (the text goes to its column and the grid applies the
// filter row) until the grid is repainted with the footer recounted.
//
//   filter_apply_bench DB FIELD TEXT
//
// Prints the median of several rounds in milliseconds, wall and processor
// time, the rows shown and the footer's record count; each round clears the
// filter first, untimed.

#include <cstdio>
#include <vector>

#include <QApplication>
#include <QFont>

#include "bench/Stopwatch.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"

namespace {

constexpr int kRounds = 5;

// Types the text into the column's filter cell, applies the filter row and
// waits until the grid has repainted.
bench::Timing timedApply(grid::TDBGrid& view, grid::TDBGridColumn& column, const QString& text) {
    const bench::Stopwatch stopwatch;
    column.stFilter().assignFilterText(text);
    view.applyFilter();
    QCoreApplication::processEvents();
    view.repaint();
    return stopwatch.elapsed();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: filter_apply_bench DB FIELD TEXT\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));
    const QString fieldName = QString::fromLocal8Bit(argv[2]);
    const QString text = QString::fromLocal8Bit(argv[3]);

    store::ItemDatabase database;
    store::DataSource source;
    grid::TDBGrid view;
    try {
        database.connectFile(QString::fromLocal8Bit(argv[1]));
        database.openItemQuery();
        source.setDataSet(&database.itemQuery);
        grid::addItemColumns(view.columns(), &source);
        view.setDataSource(&source);
        view.sumList().setActive(true);
        view.resize(1034, 420);
        view.show();
        QCoreApplication::processEvents();
        view.repaint();

        grid::TDBGridColumn* column = nullptr;
        for (int i = 0; i < view.columns().count(); ++i) {
            if (view.columns().at(i).fieldName() == fieldName)
                column = &view.columns().at(i);
        }
        if (!column) {
            std::fprintf(stderr, "no column shows %s\n", qPrintable(fieldName));
            return 2;
        }
        std::vector<double> walls, cpus;
        for (int round = 0; round < kRounds; ++round) {
            timedApply(view, *column, QString());
            const bench::Timing timing = timedApply(view, *column, text);
            walls.push_back(timing.wallMs);
            cpus.push_back(timing.cpuMs);
        }
        std::printf("%.1f ms (cpu %.1f ms)  rows %d  footer %s  filter [%s]\n",
                    bench::median(walls), bench::median(cpus), database.itemQuery.recordCount(),
                    qPrintable(view.footerText(0, view.columns().at(0))),
                    qPrintable(database.itemQuery.filter()));
    } catch (const store::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    view.setDataSource(nullptr);
    return 0;
}
