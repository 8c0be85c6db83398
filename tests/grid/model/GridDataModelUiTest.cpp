#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "grid/columns/ItemGridColumns.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/model/GridDataModel.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kIdColumn = 0;
constexpr int kNameColumn = 2;
constexpr int kPriceColumn = 9;
constexpr int kDescriptionColumn = 26;
constexpr int kAttributesColumn = 28;

}  // namespace

// The model over the item query, checked by QAbstractItemModelTester through
// every change the dataset makes.
class GridDataModelUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cellsShowTheirFieldsByKind();
    void rowsFollowAttachingOpeningAndClosing();
    void rowsFollowInsertCancelPostAndDelete();
    void rowsFollowRequeryAndFilter();
    void cursorMovesAreReported();
    void addedColumnsShowTheirFieldOrNothing();

private:
    void open(const QString& path);
    QString text(int row, int column) const;

    std::unique_ptr<testsupport::TempDir> m_dir;
    std::unique_ptr<store::ItemDatabase> m_database;
    std::unique_ptr<store::DataSource> m_source;
    std::unique_ptr<grid::TDBGridColumns> m_columns;
    std::unique_ptr<grid::GridDataModel> m_model;
};

void GridDataModelUiTest::init() {
    m_dir = std::make_unique<testsupport::TempDir>();
    m_database = std::make_unique<store::ItemDatabase>();
    m_source = std::make_unique<store::DataSource>();
    m_columns = std::make_unique<grid::TDBGridColumns>();
    grid::addItemColumns(*m_columns, m_source.get());
    m_model = std::make_unique<grid::GridDataModel>(*m_columns);
    new QAbstractItemModelTester(
        m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_model.get());
}

void GridDataModelUiTest::cleanup() {
    m_model.reset();
    m_columns.reset();
    m_source.reset();
    m_database.reset();
    m_dir.reset();
}

void GridDataModelUiTest::open(const QString& path) {
    m_database->connectFile(path);
    m_database->openItemQuery();
    m_source->setDataSet(&m_database->itemQuery);
    m_model->setDataSource(m_source.get());
}

QString GridDataModelUiTest::text(int row, int column) const {
    return m_model->index(row, column).data().toString();
}

void GridDataModelUiTest::cellsShowTheirFieldsByKind() {
    open(gridtest::createItemDatabase(*m_dir, {{u"宝贝 一"_s, u"120"_s, u"<p>描述</p>"_s},
                                               {QString(), u"-5"_s, QString()},
                                               {u"c"_s, u"NULL"_s, u""_s}}));
    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(text(0, kIdColumn), u"1"_s);
    QCOMPARE(text(0, kNameColumn), u"宝贝 一"_s);
    QCOMPARE(text(0, kPriceColumn), u"120"_s);
    QCOMPARE(text(0, kDescriptionColumn), u"(MEMO)"_s);
    QCOMPARE(text(0, kAttributesColumn), u"(Memo)"_s);
    QCOMPARE(text(1, kNameColumn), QString());
    QCOMPARE(text(1, kPriceColumn), u"-5"_s);
    QCOMPARE(text(1, kDescriptionColumn), u"(Memo)"_s);
    QCOMPARE(text(2, kPriceColumn), QString());
    QCOMPARE(text(2, kDescriptionColumn), u"(MEMO)"_s);

    const auto alignment = [this](int column) {
        return m_model->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(kIdColumn), Qt::AlignRight);
    QCOMPARE(alignment(kPriceColumn), Qt::AlignRight);
    QCOMPARE(alignment(kNameColumn), Qt::AlignLeft);
    QCOMPARE(alignment(kDescriptionColumn), Qt::AlignLeft);
    QCOMPARE(m_model->headerData(kNameColumn, Qt::Horizontal).toString(), u"宝贝名称"_s);
}

void GridDataModelUiTest::rowsFollowAttachingOpeningAndClosing() {
    const QString path = gridtest::createNumberedDatabase(*m_dir, 5);
    m_model->setDataSource(m_source.get());
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(!m_model->isActive());

    open(path);
    QCOMPARE(m_model->rowCount(), 5);
    QCOMPARE(text(4, kNameColumn), u"item 5"_s);

    m_source->setDataSet(nullptr);
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_model->dataSet(), nullptr);
    m_source->setDataSet(&m_database->itemQuery);
    QCOMPARE(m_model->rowCount(), 5);

    QSignalSpy activity(m_model.get(), &grid::GridDataModel::dataSetActiveChanged);
    m_database->itemQuery.close();
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(!m_model->isActive());
    m_database->itemQuery.open();
    QCOMPARE(m_model->rowCount(), 5);
    QVERIFY(m_model->isActive());
    QCOMPARE(activity.count(), 2);

    m_model->setDataSource(nullptr);
    QCOMPARE(m_model->rowCount(), 0);
}

void GridDataModelUiTest::rowsFollowInsertCancelPostAndDelete() {
    open(gridtest::createNumberedDatabase(*m_dir, 4));
    store::Query& query = m_database->itemQuery;

    query.moveTo(1);
    query.insert();
    QCOMPARE(m_model->rowCount(), 5);
    QCOMPARE(m_model->currentRow(), 1);
    QCOMPARE(text(1, kNameColumn), QString());
    QCOMPARE(text(2, kNameColumn), u"item 2"_s);
    query.cancel();
    QCOMPARE(m_model->rowCount(), 4);
    QCOMPARE(text(1, kNameColumn), u"item 2"_s);

    query.append();
    QCOMPARE(m_model->rowCount(), 5);
    QCOMPARE(m_model->currentRow(), 4);
    query.fieldByName(u"宝贝名称"_s).setText(u"新宝贝"_s);
    QCOMPARE(text(4, kNameColumn), u"新宝贝"_s);
    query.post();
    QCOMPARE(m_model->rowCount(), 5);
    QCOMPARE(text(4, kIdColumn), u"5"_s);

    query.moveTo(2);
    query.edit();
    query.fieldByName(u"宝贝价格"_s).setText(u"-42"_s);
    QCOMPARE(text(2, kPriceColumn), u"-42"_s);
    query.post();

    query.remove();
    QCOMPARE(m_model->rowCount(), 4);
    QCOMPARE(text(2, kNameColumn), u"item 4"_s);
    QCOMPARE(m_model->currentRow(), query.recNo());
}

void GridDataModelUiTest::rowsFollowRequeryAndFilter() {
    const QString path = gridtest::createNumberedDatabase(*m_dir, 30);
    open(path);
    store::Query& query = m_database->itemQuery;
    query.setFilter(u"[宝贝价格] <= 3"_s);
    query.setFiltered(true);
    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(text(2, kNameColumn), u"item 3"_s);

    testsupport::runSql(path, u"INSERT INTO BabyData(宝贝名称, 宝贝价格) VALUES ('extra', 1)"_s);
    query.requery();
    QCOMPARE(m_model->rowCount(), 4);
    QCOMPARE(text(3, kNameColumn), u"extra"_s);

    query.setFiltered(false);
    QCOMPARE(m_model->rowCount(), 31);
}

void GridDataModelUiTest::cursorMovesAreReported() {
    open(gridtest::createNumberedDatabase(*m_dir, 10));
    store::Query& query = m_database->itemQuery;
    QSignalSpy moves(m_model.get(), &grid::GridDataModel::cursorMoved);
    query.next();
    query.last();
    query.moveTo(4);
    query.first();
    QCOMPARE(moves.count(), 4);
    QCOMPARE(moves.at(0).at(0).toInt(), 1);
    QCOMPARE(moves.at(1).at(0).toInt(), 9);
    QCOMPARE(moves.at(2).at(0).toInt(), 4);
    QCOMPARE(m_model->currentRow(), 0);
}

void GridDataModelUiTest::addedColumnsShowTheirFieldOrNothing() {
    open(gridtest::createNumberedDatabase(*m_dir, 3));
    grid::TDBGridColumn& missing = m_columns->add();
    missing.setFieldName(u"附加列"_s);
    grid::TDBGridColumn& price = m_columns->add();
    price.setFieldName(u"宝贝价格"_s);
    QCOMPARE(m_model->columnCount(), 49);
    QCOMPARE(text(1, 47), QString());
    QCOMPARE(m_model->headerData(47, Qt::Horizontal).toString(), u"附加列"_s);
    QCOMPARE(text(1, 48), u"2"_s);

    // A column whose field name changes shows the new field.
    missing.setFieldName(u"宝贝名称"_s);
    QCOMPARE(text(1, 47), u"item 2"_s);
}

QTEST_MAIN(GridDataModelUiTest)
#include "GridDataModelUiTest.moc"
