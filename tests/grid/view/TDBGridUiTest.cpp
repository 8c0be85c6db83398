#include <QAbstractItemModelTester>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "grid/columns/ItemGridColumns.h"
#include "grid/footer/GridFooter.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/GridHeader.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kNameColumn = 2;
constexpr int kPriceColumn = 9;

// A grid whose footer reads back which cells it was asked for.
class RecordingGrid : public grid::TDBGrid {
public:
    QString footerText(int row, const grid::TDBGridColumn& column) const override {
        asked << column.fieldName();
        return row == 0 && column.fieldName() == u"ID"_s ? idFooter : QString();
    }
    mutable QStringList asked;
    QString idFooter = u"1234"_s;
};

// The width of the columns of `area` in `image` that hold ink, from the
// first to the last; 0 when there is none.
int inkWidth(const QImage& image, const QRect& area) {
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The ink width of `text` drawn in `font` with room to spare.
int inkWidth(const QString& text, const QFont& font) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(20, 30, text);
    painter.end();
    return inkWidth(image, image.rect());
}

}  // namespace

// DBGrid1 as the window holds it: the configured columns over the item
// query, driven with real mouse events on the offscreen platform.
class TDBGridUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void gridDrawsInSongTi();
    void sevenDigitsReadWholeInTheIdCellAndTheFooter();
    void draggingATitleBorderResizesTheColumn();
    void draggingATitleMovesTheColumn();
    void titleDragsFollowTheOptions_data();
    void titleDragsFollowTheOptions();
    void indicatorTitlesAndColumnLinesFollowTheOptions();
    void addColumnAppendsAColumnAtTheEnd();
    void detachingAndReattachingKeepsTheLayout();
    void currentRowFollowsTheDataset();
    void clickingACellMovesTheDataset();
    void aFailedMoveIsReportedAndTheCursorStays();
    void lastRowShowsWhollyAboveTheFooter();
    void footerCellsStayInLineWithTheTitles();
    void filterRowShowsFilterTextsUnderTheTitles();

private:
    // A database of `records` numbered records, changed by `sql`.
    void open(int records, const QString& sql = {});
    QPoint titlePoint(int modelColumn, int fromRight = -1) const;
    void drag(QWidget* widget, QPoint from, QPoint to) const;
    QHeaderView& header() const { return m_grid->titleHeader(); }
    int visualIndexOf(const QString& fieldName) const;

    std::unique_ptr<testsupport::TempDir> m_dir;
    std::unique_ptr<store::ItemDatabase> m_database;
    std::unique_ptr<store::DataSource> m_source;
    std::unique_ptr<RecordingGrid> m_grid;
};

void TDBGridUiTest::init() {
    grid::installSongTiSubstitution();
    m_dir = std::make_unique<testsupport::TempDir>();
    m_database = std::make_unique<store::ItemDatabase>();
    m_source = std::make_unique<store::DataSource>();
    m_grid = std::make_unique<RecordingGrid>();
    m_grid->setObjectName(u"DBGrid1"_s);
    grid::addItemColumns(m_grid->columns(), m_source.get());
    m_grid->setDataSource(m_source.get());
    new QAbstractItemModelTester(
        &m_grid->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_grid.get());
    m_grid->resize(1034, 420);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
}

void TDBGridUiTest::cleanup() {
    m_grid.reset();
    m_source.reset();
    m_database.reset();
    m_dir.reset();
}

void TDBGridUiTest::open(int records, const QString& sql) {
    const QString path = gridtest::createNumberedDatabase(*m_dir, records);
    if (!sql.isEmpty())
        testsupport::runSql(path, sql);
    m_database->connectFile(path);
    m_database->openItemQuery();
    m_source->setDataSet(&m_database->itemQuery);
}

// A point in the title of a column: its centre, or `fromRight` pixels left
// of its right border.
QPoint TDBGridUiTest::titlePoint(int modelColumn, int fromRight) const {
    const QRect title = m_grid->titleHeader().titleRect(modelColumn);
    return fromRight < 0 ? title.center() : QPoint(title.right() - fromRight, title.center().y());
}

void TDBGridUiTest::drag(QWidget* widget, QPoint from, QPoint to) const {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(widget, from + (to - from) * step / 4);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

int TDBGridUiTest::visualIndexOf(const QString& fieldName) const {
    for (int i = 0; i < m_grid->columns().count(); ++i) {
        if (m_grid->columns().at(i).fieldName() == fieldName)
            return i;
    }
    return -1;
}

void TDBGridUiTest::gridDrawsInSongTi() {
    for (const QFont& font : {m_grid->font(), m_grid->titleFont(), m_grid->footerFont()}) {
        QCOMPARE(font.family(), u"宋体"_s);
        QCOMPARE(font.pixelSize(), 16);
    }
    QCOMPARE(m_grid->columns().count(), 47);
    QCOMPARE(header().sectionSize(kNameColumn), 550);
}

// 宋体's ASCII is half-width: 8 pixels a digit, which the ID column's 55
// pixels are laid out for. A record count or ID of seven digits shows all
// its ink in the cell and in the footer under it.
void TDBGridUiTest::sevenDigitsReadWholeInTheIdCellAndTheFooter() {
    const QFontMetrics metrics(m_grid->font());
    QCOMPARE(metrics.horizontalAdvance(u"1000000"_s), 7 * 8);
    QCOMPARE(metrics.horizontalAdvance(u"宝贝"_s), 2 * 16);

    open(3, u"UPDATE BabyData SET ID = 1000000 WHERE ID = 3"_s);
    m_grid->idFooter = u"1000000"_s;
    QCOMPARE(header().sectionSize(0), 55);
    const int whole = inkWidth(u"1000000"_s, m_grid->font());
    QVERIFY(whole > 7 * 5);

    // The cell and the footer cell without their grid lines.
    const QRect cell = m_grid->visualRect(m_grid->gridModel().index(2, 0));
    QCOMPARE(m_grid->gridModel().index(2, 0).data().toString(), u"1000000"_s);
    QCOMPARE(inkWidth(m_grid->viewport()->grab().toImage(), cell), whole);
    const QRect footerCell = m_grid->footer().cellRect(0, 0).adjusted(0, 1, -1, -1);
    QCOMPARE(inkWidth(m_grid->footer().grab().toImage(), footerCell), whole);
}

void TDBGridUiTest::draggingATitleBorderResizesTheColumn() {
    open(3);
    QWidget* titles = header().viewport();
    // On the filter row the same border is no handle.
    const QPoint border = titlePoint(kNameColumn, 0);
    const QPoint onFilterRow(border.x(),
                             m_grid->titleHeader().filterCellRect(kNameColumn).center().y());
    drag(titles, onFilterRow, onFilterRow - QPoint(300, 0));
    QCOMPARE(m_grid->columns().at(kNameColumn).width(), 550);

    drag(titles, border, border - QPoint(350, 0));
    QCOMPARE(m_grid->columns().at(kNameColumn).width(), 200);
    QCOMPARE(header().sectionSize(kNameColumn), 200);
}

void TDBGridUiTest::draggingATitleMovesTheColumn() {
    open(3);
    m_grid->columns().at(kNameColumn).setWidth(200);
    QCOMPARE(header().sectionSize(kNameColumn), 200);
    QWidget* titles = header().viewport();
    const QPoint target = m_grid->titleHeader().titleRect(kNameColumn).topLeft() + QPoint(10, 5);
    drag(titles, titlePoint(kPriceColumn), target);

    QCOMPARE(visualIndexOf(u"宝贝价格"_s), 2);
    QCOMPARE(visualIndexOf(u"宝贝名称"_s), 3);
    QCOMPARE(visualIndexOf(u"宝贝类目"_s), 4);
    QCOMPARE(header().visualIndex(kPriceColumn), 2);
    QCOMPARE(m_grid->columns().at(2).index(), 2);

    // Moving by program moves the title too.
    m_grid->columns().at(2).setIndex(9);
    QCOMPARE(header().visualIndex(kPriceColumn), 9);
    QCOMPARE(visualIndexOf(u"宝贝名称"_s), 2);
    QCOMPARE(m_grid->gridModel().index(0, kPriceColumn).data().toString(), u"1"_s);
}

void TDBGridUiTest::titleDragsFollowTheOptions_data() {
    QTest::addColumn<uint>("optionOff");
    QTest::addColumn<uint>("optionExtOff");
    QTest::addColumn<bool>("resizes");
    QTest::addColumn<bool>("moves");
    QTest::newRow("defaults") << 0u << 0u << true << true;
    QTest::newRow("no dgColumnResize") << uint{grid::dgColumnResize} << 0u << false << true;
    QTest::newRow("no dghColumnResize") << 0u << uint{grid::dghColumnResize} << false << true;
    QTest::newRow("no dghColumnMove") << 0u << uint{grid::dghColumnMove} << true << false;
}

void TDBGridUiTest::titleDragsFollowTheOptions() {
    QFETCH(uint, optionOff);
    QFETCH(uint, optionExtOff);
    QFETCH(bool, resizes);
    QFETCH(bool, moves);
    open(3);
    m_grid->setOptions(grid::kDefaultOptions & ~grid::TGridOptions::fromInt(optionOff));
    m_grid->setOptionsExt(grid::kDefaultOptionsExt & ~grid::TDBGridOptions::fromInt(optionExtOff));
    QWidget* titles = header().viewport();

    const QPoint border = titlePoint(kNameColumn, 0);
    drag(titles, border, border - QPoint(350, 0));
    QCOMPARE(m_grid->columns().at(kNameColumn).width(), resizes ? 200 : 550);

    // A width set by program applies either way.
    m_grid->columns().at(kNameColumn).setWidth(200);
    QCOMPARE(header().sectionSize(kNameColumn), 200);
    const QPoint target = m_grid->titleHeader().titleRect(kNameColumn).topLeft() + QPoint(10, 5);
    drag(titles, titlePoint(kPriceColumn), target);
    QCOMPARE(visualIndexOf(u"宝贝价格"_s), moves ? 2 : kPriceColumn);
    QCOMPARE(header().visualIndex(kPriceColumn), moves ? 2 : kPriceColumn);
}

void TDBGridUiTest::indicatorTitlesAndColumnLinesFollowTheOptions() {
    open(3);
    grid::GridHeader& titles = m_grid->titleHeader();
    const grid::GridFooter& footer = m_grid->footer();
    const int top = m_grid->viewport()->geometry().top();
    const int indicatorWidth = m_grid->verticalHeader()->width();
    const int titleHeight = titles.titleHeight();
    QVERIFY(indicatorWidth > 0 && titleHeight > 0);

    m_grid->setOptions(grid::kDefaultOptions &
                       ~grid::TGridOptions(grid::dgIndicator | grid::dgTitles));
    QVERIFY(m_grid->verticalHeader()->isHidden());
    QCOMPARE(footer.cellRect(0, 0).left(), header().sectionViewportPosition(0));
    // The filter row stays, alone in the header.
    QCOMPARE(titles.titleHeight(), 0);
    QCOMPARE(titles.height(), titles.filterRowHeight());
    QCOMPARE(m_grid->viewport()->geometry().top(), top - titleHeight);

    m_grid->setOptions(grid::kDefaultOptions);
    QVERIFY(!m_grid->verticalHeader()->isHidden());
    QCOMPARE(footer.cellRect(0, 0).left(), indicatorWidth + header().sectionViewportPosition(0));
    QCOMPARE(m_grid->viewport()->geometry().top(), top);

    // Below the last row the column lines reach the footer only with dghExtendVertLines.
    const auto lineBelowTheRows = [&] {
        const QImage image = m_grid->viewport()->grab().toImage();
        const int x = m_grid->columnViewportPosition(0) + m_grid->columnWidth(0) - 1;
        const int y = image.height() - 3;
        return image.pixelColor(x, y) != image.pixelColor(x - 4, y);
    };
    QVERIFY(lineBelowTheRows());
    m_grid->setOptionsExt(grid::kDefaultOptionsExt &
                          ~grid::TDBGridOptions(grid::dghExtendVertLines));
    QVERIFY(!lineBelowTheRows());
}

void TDBGridUiTest::addColumnAppendsAColumnAtTheEnd() {
    open(3);
    grid::TDBGridColumn& added = m_grid->addColumn(u"附加列"_s, 80, grid::taCenter);
    grid::TDBGridColumn& price = m_grid->addColumn(u"宝贝价格"_s, 80, grid::taCenter);
    QCOMPARE(m_grid->columns().count(), 49);
    QCOMPARE(added.index(), 47);
    QCOMPARE(header().visualIndex(47), 47);
    QCOMPARE(header().sectionSize(47), 80);
    QCOMPARE(added.title().alignment(), grid::taCenter);
    QVERIFY(!added.readOnly());
    QVERIFY(!added.title().titleButton());
    QCOMPARE(added.footer().valueType(), grid::fvtNon);
    QVERIFY(added.stFilter().visible());
    QCOMPARE(added.stFilter().listSource(), nullptr);
    QCOMPARE(m_grid->gridModel().index(1, 47).data().toString(), QString());
    QCOMPARE(m_grid->gridModel().index(1, price.index()).data().toString(), u"2"_s);
}

void TDBGridUiTest::detachingAndReattachingKeepsTheLayout() {
    open(300);
    grid::TDBGridColumns& columns = m_grid->columns();
    columns.at(kNameColumn).setWidth(222);
    columns.at(kPriceColumn).setIndex(1);
    columns.at(3).stFilter().setFilterText(u"包邮"_s);
    m_database->itemQuery.moveTo(150);

    m_source->setDataSet(nullptr);
    QCOMPARE(m_grid->gridModel().rowCount(), 0);
    QCOMPARE(m_grid->dataSet(), nullptr);
    QVERIFY(!m_grid->currentIndex().isValid());

    m_source->setDataSet(&m_database->itemQuery);
    QCOMPARE(m_grid->gridModel().rowCount(), 300);
    QCOMPARE(columns.at(1).fieldName(), u"宝贝价格"_s);
    QCOMPARE(header().visualIndex(kPriceColumn), 1);
    QCOMPARE(columns.at(3).fieldName(), u"宝贝名称"_s);
    QCOMPARE(header().sectionSize(kNameColumn), 222);
    QCOMPARE(columns.at(3).stFilter().filterText(), u"包邮"_s);
    // The rows show from the current record on.
    QCOMPARE(m_grid->currentIndex().row(), 150);
    QCOMPARE(m_grid->rowAt(0), 150);
}

void TDBGridUiTest::currentRowFollowsTheDataset() {
    open(100);
    store::Query& query = m_database->itemQuery;
    QHeaderView* indicator = m_grid->verticalHeader();
    const auto markDrawnAt = [&](int row) {
        const QImage image = indicator->grab().toImage();
        const QRect section(0, indicator->sectionViewportPosition(row), indicator->width(),
                            indicator->sectionSize(row));
        return qGray(image.pixel(section.center())) < 100;
    };
    QCOMPARE(m_grid->currentIndex().row(), 0);
    QVERIFY(markDrawnAt(0));

    query.next();
    QCOMPARE(m_grid->currentIndex().row(), 1);
    QVERIFY(markDrawnAt(1));
    QVERIFY(!markDrawnAt(0));

    query.last();
    QCOMPARE(m_grid->currentIndex().row(), 99);
    QVERIFY(m_grid->viewport()->rect().contains(m_grid->visualRect(m_grid->currentIndex())));
    QVERIFY(markDrawnAt(99));

    query.moveTo(40);
    QCOMPARE(m_grid->currentIndex().row(), 40);
    QCOMPARE(m_grid->currentColumn(), &m_grid->columns().at(0));
}

void TDBGridUiTest::clickingACellMovesTheDataset() {
    open(20);
    const QModelIndex cell = m_grid->gridModel().index(3, kNameColumn);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->visualRect(cell).center());
    QCOMPARE(m_database->itemQuery.recNo(), 3);
    QCOMPARE(m_grid->currentColumn(), &m_grid->columns().at(kNameColumn));

    // The column stays when the dataset moves on.
    m_database->itemQuery.next();
    QCOMPARE(m_grid->currentIndex(), m_grid->gridModel().index(4, kNameColumn));
}

void TDBGridUiTest::aFailedMoveIsReportedAndTheCursorStays() {
    open(5);
    store::Query& query = m_database->itemQuery;
    query.moveTo(1);
    query.edit();
    query.fieldByName(u"ID"_s).setValue(1);  // taken by the first record
    QSignalSpy failed(m_grid.get(), &grid::TDBGrid::failed);

    const QModelIndex cell = m_grid->gridModel().index(3, kNameColumn);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->visualRect(cell).center());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(query.recNo(), 1);
    QCOMPARE(query.state(), store::DataSetState::Edit);
    QTRY_COMPARE(m_grid->currentIndex().row(), 1);
    query.cancel();
}

void TDBGridUiTest::lastRowShowsWhollyAboveTheFooter() {
    open(200);
    m_database->itemQuery.last();
    const QRect area = m_grid->viewport()->geometry();
    const QRect last = m_grid->visualRect(m_grid->currentIndex());
    QCOMPARE(m_grid->currentIndex().row(), 199);
    QVERIFY(last.top() >= 0);
    QVERIFY(last.bottom() < area.height());
    // Whole rows at the top, and the footer under the rows, not over them.
    QCOMPARE(m_grid->visualRect(m_grid->gridModel().index(m_grid->rowAt(0), 0)).top(), 0);
    QCOMPARE(m_grid->footer().geometry().top(), area.bottom() + 1);
    QVERIFY(m_grid->footer().geometry().bottom() <
            m_grid->horizontalScrollBar()->mapTo(m_grid.get(), QPoint(0, 0)).y());
}

void TDBGridUiTest::footerCellsStayInLineWithTheTitles() {
    open(3);
    m_grid->columns().at(kNameColumn).setWidth(300);
    m_grid->columns().at(kPriceColumn).setIndex(0);
    m_grid->horizontalScrollBar()->setValue(1);  // 宝贝价格, now first, scrolls out of view
    const grid::GridFooter& footer = m_grid->footer();
    const int indicatorWidth = m_grid->verticalHeader()->width();
    for (int column : {0, kNameColumn, 4}) {
        const QRect cell = footer.cellRect(0, column);
        QCOMPARE(cell.left() - indicatorWidth, header().sectionViewportPosition(column));
        QCOMPARE(cell.width(), header().sectionSize(column));
    }
    QVERIFY(footer.cellRect(0, kPriceColumn).isNull());
    m_grid->asked.clear();
    m_grid->footer().repaint();
    QVERIFY(m_grid->asked.contains(u"宝贝名称"_s));
    QVERIFY(!m_grid->asked.contains(u"宝贝价格"_s));  // out of view
}

void TDBGridUiTest::filterRowShowsFilterTextsUnderTheTitles() {
    open(3);
    const grid::GridHeader& titles = m_grid->titleHeader();
    QCOMPARE(titles.filterCellRect(3).top(), titles.titleRect(3).bottom() + 1);
    QVERIFY(titles.filterRowHeight() > 0);

    const auto bluePixels = [&] {
        const QImage image = titles.viewport()->grab().toImage();
        const QRect cell = titles.filterCellRect(3);
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                count += colour.blue() > 150 && colour.red() < 100 ? 1 : 0;
            }
        }
        return count;
    };
    QCOMPARE(bluePixels(), 0);
    m_grid->columns().at(3).stFilter().setFilterText(u"WW"_s);
    QVERIFY(bluePixels() > 0);
}

QTEST_MAIN(TDBGridUiTest)
#include "TDBGridUiTest.moc"
