#include <memory>

#include <QAbstractItemModelTester>
#include <QImage>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "grid/columns/ItemGridColumns.h"
#include "grid/look/SongTiFont.h"
#include "grid/footer/GridFooter.h"
#include "grid/navigator/TDBNavigator.h"
#include "grid/navigator/TNavButton.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

using namespace Qt::StringLiterals;

// The footer row of DBGrid1 as the window configures it: the configured
// columns over the item query with the sum list on, and a navigator beside
// it, so the record count under ID is seen as the user sees it.
class TDBGridFooterUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countShowsUnderIdRightAligned();
    void navigatorInsertsAndDeletesMoveTheCountWithoutRecounting();
    void detachingZeroesAndReattachingRecountsAtTheSameRecord();
    void filterCloseAndOpenRecount();
    void destroyingTheGridGivesTheQueryItsHandlersBack();

private:
    QString idFooter() const { return m_grid->footerText(0, idColumn()); }
    grid::TDBGridColumn& idColumn() const { return m_grid->columns().at(0); }
    void click(grid::TNavigateBtn button) {
        QTest::mouseClick(m_navigator->button(button), Qt::LeftButton);
    }
    store::Query& query() const { return m_database->itemQuery; }

    std::unique_ptr<testsupport::TempDir> m_dir;
    QString m_path;
    std::unique_ptr<store::ItemDatabase> m_database;
    std::unique_ptr<store::DataSource> m_source;
    std::unique_ptr<QWidget> m_window;
    grid::TDBGrid* m_grid = nullptr;
    grid::TDBNavigator* m_navigator = nullptr;
};

void TDBGridFooterUiTest::init() {
    grid::installSongTiSubstitution();
    m_dir = std::make_unique<testsupport::TempDir>();
    m_path = gridtest::createNumberedDatabase(*m_dir, 5);
    m_database = std::make_unique<store::ItemDatabase>();
    m_database->connectFile(m_path);
    m_database->openItemQuery();
    m_source = std::make_unique<store::DataSource>();
    m_source->setDataSet(&query());

    m_window = std::make_unique<QWidget>();
    m_grid = new grid::TDBGrid;
    m_grid->setObjectName(u"DBGrid1"_s);
    grid::addItemColumns(m_grid->columns(), m_source.get());
    m_grid->sumList().setActive(true);
    m_grid->setDataSource(m_source.get());
    // Recounts run inside the model's own notices; the model must stay consistent.
    new QAbstractItemModelTester(&m_grid->gridModel(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, m_grid);
    m_navigator = new grid::TDBNavigator;
    m_navigator->setDataSource(m_source.get());
    m_navigator->setConfirmer([](const QString&, const QString&) { return true; });
    auto* layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_grid);
    layout->addWidget(m_navigator);
    m_window->resize(1034, 420);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TDBGridFooterUiTest::cleanup() {
    m_navigator->setDataSource(nullptr);
    m_grid->setDataSource(nullptr);
    m_window.reset();
    m_source.reset();
    m_database.reset();
    m_dir.reset();
}

void TDBGridFooterUiTest::countShowsUnderIdRightAligned() {
    QCOMPARE(idFooter(), u"5"_s);
    QCOMPARE(m_grid->footerText(0, m_grid->columns().at(2)), QString());

    // Ink of the digit sits in the right half of the ID cell, against its right edge.
    const int modelColumn = m_grid->gridModel().modelColumnOf(idColumn());
    const QRect cell = m_grid->footer().cellRect(0, modelColumn);
    QVERIFY(!cell.isEmpty());
    const QImage image = m_grid->footer().grab().toImage();
    const QRgb background = m_grid->footerColor().rgb();
    int left = cell.right();
    int right = cell.left();
    for (int x = cell.left() + 1; x < cell.right() - 1; ++x) {
        for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    QVERIFY2(left > cell.center().x(),
             qPrintable(u"ink from %1 in %2..%3"_s.arg(left).arg(cell.left()).arg(cell.right())));
    QVERIFY(right > cell.right() - 8);
}

void TDBGridFooterUiTest::navigatorInsertsAndDeletesMoveTheCountWithoutRecounting() {
    QSignalSpy recounts(m_grid, &grid::TDBGrid::sumListRecalcAll);
    click(grid::nbInsert);
    query().fieldByName(u"宝贝名称"_s).setText(u"new"_s);
    click(grid::nbPost);
    QCOMPARE(idFooter(), u"6"_s);
    click(grid::nbInsert);
    click(grid::nbCancel);
    QCOMPARE(idFooter(), u"6"_s);
    click(grid::nbEdit);
    query().fieldByName(u"宝贝名称"_s).setText(u"changed"_s);
    click(grid::nbPost);
    QCOMPARE(idFooter(), u"6"_s);
    click(grid::nbDelete);
    click(grid::nbDelete);
    QCOMPARE(idFooter(), u"4"_s);
    click(grid::nbNext);
    click(grid::nbLast);
    click(grid::nbFirst);
    QCOMPARE(recounts.count(), 0);
}

void TDBGridFooterUiTest::detachingZeroesAndReattachingRecountsAtTheSameRecord() {
    query().moveTo(3);
    m_source->setDataSet(nullptr);
    QCOMPARE(idFooter(), u"0"_s);
    QVERIFY(!m_grid->sumList().hooked());
    testsupport::runSql(m_path, u"INSERT INTO BabyData(宝贝名称) VALUES ('a'), ('b')"_s);
    query().requery();
    query().moveTo(3);
    m_source->setDataSet(&query());
    QCOMPARE(idFooter(), u"7"_s);
    QCOMPARE(query().recNo(), 3);
    QCOMPARE(m_grid->gridModel().currentRow(), 3);
}

void TDBGridFooterUiTest::filterCloseAndOpenRecount() {
    query().setFilter(u"[宝贝价格] <= 2"_s);
    query().setFiltered(true);
    QCOMPARE(idFooter(), u"2"_s);
    query().close();
    QCOMPARE(idFooter(), u"0"_s);
    query().open();
    QCOMPARE(idFooter(), u"2"_s);
    query().setFilter(QString());
    QCOMPARE(idFooter(), u"5"_s);
}

void TDBGridFooterUiTest::destroyingTheGridGivesTheQueryItsHandlersBack() {
    bool heard = false;
    m_grid->setDataSource(nullptr);
    query().afterPost = [&heard](store::Query&) { heard = true; };
    m_grid->setDataSource(m_source.get());
    delete m_grid;
    m_grid = nullptr;
    query().append();
    query().post();
    QVERIFY(heard);
    query().afterPost = nullptr;
    m_grid = new grid::TDBGrid(m_window.get());
}

QTEST_MAIN(TDBGridFooterUiTest)
#include "TDBGridFooterUiTest.moc"
