#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "grid/columns/ItemGridColumns.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/GridHeader.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kLinkColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kPriceColumn = 9;
constexpr int kVideoColumn = 38;

struct TitleClick {
    int aCol;
    grid::TDBGridColumn* column;
};

}  // namespace

// Title buttons and sort markers of DBGrid1 over a real item database,
// driven by mouse presses and releases on the titles and real Ctrl releases.
class TDBGridSortUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void configuredOptionsLeaveMarkersAndRowsAlone();
    void titlesWithoutButtonRaiseNoClick();
    void checkButtonCanDisableATitleButton();
    void plainClicksToggleTheOnlySortKey();
    void ctrlClicksSortOnceWhenCtrlIsReleased();
    void ctrlClicksSortWhenTheGridLosesTheFocus();
    void aTitleIsDrawnPressedOnlyWhileHeldOverIt();
    void releasingOverAnotherCellIsNoClick();
    void deletingTheGridWithAPendingSortIsSafe();

private:
    void click(int modelColumn, Qt::KeyboardModifiers modifiers = {});
    QPoint titleCenter(int modelColumn) const;
    QStringList names();
    QString markers() const;
    grid::TDBGridColumn& column(int modelColumn) const {
        return m_grid->gridModel().columnAt(modelColumn);
    }
    store::Query& query() { return m_database->itemQuery; }
    QWidget* titles() const { return m_grid->titleHeader().viewport(); }

    std::unique_ptr<testsupport::TempDir> m_dir;
    std::unique_ptr<store::ItemDatabase> m_database;
    std::unique_ptr<store::DataSource> m_source;
    std::unique_ptr<QWidget> m_window;
    grid::TDBGrid* m_grid = nullptr;
    QLineEdit* m_otherControl = nullptr;
    std::vector<TitleClick> m_clicks;
    int m_sorts = 0;
};

void TDBGridSortUiTest::init() {
    grid::installSongTiSubstitution();
    m_dir = std::make_unique<testsupport::TempDir>();
    m_database = std::make_unique<store::ItemDatabase>();
    m_source = std::make_unique<store::DataSource>();
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_grid = new grid::TDBGrid;
    m_grid->setObjectName(u"DBGrid1"_s);
    m_otherControl = new QLineEdit;
    layout->addWidget(m_grid);
    layout->addWidget(m_otherControl);
    grid::addItemColumns(m_grid->columns(), m_source.get());
    m_grid->setDataSource(m_source.get());
    new QAbstractItemModelTester(&m_grid->gridModel(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, m_grid);

    m_database->connectFile(gridtest::createItemDatabase(*m_dir, {{u"pear"_s, u"5"_s, {}},
                                                                  {u"apple"_s, u"7"_s, {}},
                                                                  {u"fig"_s, u"5"_s, {}},
                                                                  {u"kiwi"_s, u"7"_s, {}}}));
    m_database->openItemQuery();
    m_source->setDataSet(&query());
    // Every re-read of the rows moves the cursor to the first row.
    query().afterScroll = [this, previous = query().afterScroll](store::Query& q) {
        ++m_sorts;
        if (previous)
            previous(q);
    };
    m_grid->setOnTitleBtnClick(
        [this](grid::TDBGrid& sender, int aCol, grid::TDBGridColumn& column) {
            QCOMPARE(&sender, m_grid);
            m_clicks.push_back({aCol, &column});
        });

    m_window->resize(1034, 420);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_otherControl->setFocus();
}

void TDBGridSortUiTest::cleanup() {
    m_window.reset();
    m_source.reset();
    m_database.reset();
    m_dir.reset();
    m_clicks.clear();
    m_sorts = 0;
}

QPoint TDBGridSortUiTest::titleCenter(int modelColumn) const {
    return m_grid->titleHeader().titleRect(modelColumn).center();
}

void TDBGridSortUiTest::click(int modelColumn, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(titles(), Qt::LeftButton, modifiers, titleCenter(modelColumn));
    QTest::mouseRelease(titles(), Qt::LeftButton, modifiers, titleCenter(modelColumn));
}

QStringList TDBGridSortUiTest::names() {
    const int field = query().fieldByName(u"宝贝名称"_s).index();
    QStringList shown;
    for (int row = 0; row < query().rowCount(); ++row) {
        const QString name = query().rowValue(row, field).toString();
        // The grid shows the same order.
        if (m_grid->gridModel().index(row, kNameColumn).data().toString() != name)
            return {u"grid and dataset differ"_s};
        shown << name;
    }
    return shown;
}

// Every column with a marker or an index: "宝贝价格>1 宝贝名称<2".
QString TDBGridSortUiTest::markers() const {
    QStringList parts;
    const grid::TDBGridColumns& columns = m_grid->columns();
    for (int i = 0; i < columns.count(); ++i) {
        const grid::TColumnTitle& title = columns.at(i).title();
        if (title.sortMarker() == grid::smNone && title.sortIndex() == 0)
            continue;
        const QChar marker = title.sortMarker() == grid::smDown ? u'>'
                             : title.sortMarker() == grid::smUp ? u'<'
                                                                : u'.';
        parts << columns.at(i).fieldName() + marker + QString::number(title.sortIndex());
    }
    return parts.join(u' ');
}

void TDBGridSortUiTest::configuredOptionsLeaveMarkersAndRowsAlone() {
    QCOMPARE(m_grid->optionsExt(), grid::kDefaultOptionsExt);
    click(kNameColumn);
    click(kNameColumn, Qt::ControlModifier);
    QTest::keyRelease(m_grid, Qt::Key_Control);

    QCOMPARE(m_clicks.size(), 2u);
    QCOMPARE(m_clicks[0].aCol, kNameColumn);
    QCOMPARE(m_clicks[0].column, &column(kNameColumn));
    QCOMPARE(markers(), QString());
    QCOMPARE(m_grid->columns().sortKeys().count(), 0);
    QCOMPARE(query().sort(), QString());
    QCOMPARE(m_sorts, 0);
    QCOMPARE(names(), QStringList({u"pear"_s, u"apple"_s, u"fig"_s, u"kiwi"_s}));
    // The press gave the grid the focus.
    QVERIFY(m_grid->hasFocus());
}

void TDBGridSortUiTest::titlesWithoutButtonRaiseNoClick() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking);
    m_grid->scrollTo(m_grid->gridModel().index(0, kVideoColumn));
    QVERIFY(titles()->rect().contains(titleCenter(kVideoColumn)));
    click(kVideoColumn);
    click(kVideoColumn);
    m_grid->scrollTo(m_grid->gridModel().index(0, kLinkColumn));
    click(kLinkColumn);

    QCOMPARE(m_clicks.size(), 0u);
    QCOMPARE(markers(), QString());
    QCOMPARE(m_sorts, 0);
}

void TDBGridSortUiTest::checkButtonCanDisableATitleButton() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking);
    std::vector<TitleClick> offered;
    m_grid->setOnCheckButton(
        [&offered](grid::TDBGrid&, int aCol, grid::TDBGridColumn& column, bool& enabled) {
            offered.push_back({aCol, &column});
            enabled = aCol != kNameColumn;
        });
    click(kNameColumn);
    QCOMPARE(m_clicks.size(), 0u);
    QCOMPARE(markers(), QString());

    click(kPriceColumn);
    QCOMPARE(m_clicks.size(), 1u);
    QCOMPARE(markers(), u"宝贝价格>1"_s);
    QCOMPARE(offered.size(), 2u);
    QCOMPARE(offered[0].aCol, kNameColumn);
    QCOMPARE(offered[0].column, &column(kNameColumn));
    QCOMPARE(offered[1].aCol, kPriceColumn);
}

void TDBGridSortUiTest::plainClicksToggleTheOnlySortKey() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking);
    const struct {
        const char16_t* markers;
        const char16_t* sort;
        QStringList names;
    } steps[] = {
        {u"宝贝价格>1", u"[宝贝价格]", {u"pear"_s, u"fig"_s, u"apple"_s, u"kiwi"_s}},
        {u"宝贝价格<1", u"[宝贝价格] DESC", {u"apple"_s, u"kiwi"_s, u"pear"_s, u"fig"_s}},
        {u"宝贝价格>1", u"[宝贝价格]", {u"pear"_s, u"fig"_s, u"apple"_s, u"kiwi"_s}},
    };
    int sorts = 0;
    for (const auto& step : steps) {
        click(kPriceColumn);
        QCOMPARE(markers(), QString::fromUtf16(step.markers));
        QCOMPARE(query().sort(), QString::fromUtf16(step.sort));
        QCOMPARE(m_sorts, ++sorts);
        QCOMPARE(names(), step.names);
    }

    click(kNameColumn);
    QCOMPARE(markers(), u"宝贝名称>1"_s);
    QCOMPARE(query().sort(), u"[宝贝名称]"_s);
    QCOMPARE(m_sorts, 4);
    QCOMPARE(names(), QStringList({u"apple"_s, u"fig"_s, u"kiwi"_s, u"pear"_s}));
    QCOMPARE(m_clicks.size(), 4u);

    // The second press of a double click is a click of its own.
    click(kNameColumn);
    QTest::mouseDClick(titles(), Qt::LeftButton, {}, titleCenter(kNameColumn));
    QTest::mouseRelease(titles(), Qt::LeftButton, {}, titleCenter(kNameColumn));
    QCOMPARE(m_clicks.size(), 6u);
    QCOMPARE(markers(), u"宝贝名称>1"_s);
    QCOMPARE(m_sorts, 6);
}

void TDBGridSortUiTest::ctrlClicksSortOnceWhenCtrlIsReleased() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking |
                          grid::dghMultiSortMarking);
    click(kPriceColumn, Qt::ControlModifier);
    click(kNameColumn, Qt::ControlModifier);
    QCOMPARE(markers(), u"宝贝名称>2 宝贝价格>1"_s);
    QCOMPARE(m_sorts, 0);
    QCOMPARE(query().sort(), QString());

    QTest::keyRelease(m_grid, Qt::Key_Control);
    QCOMPARE(m_sorts, 1);
    QCOMPARE(query().sort(), u"[宝贝价格], [宝贝名称]"_s);
    QCOMPARE(names(), QStringList({u"fig"_s, u"pear"_s, u"apple"_s, u"kiwi"_s}));
    // The pending sort is done; another Ctrl release does not sort again.
    QTest::keyRelease(m_grid, Qt::Key_Control);
    QCOMPARE(m_sorts, 1);

    click(kPriceColumn, Qt::ControlModifier);
    QCOMPARE(markers(), u"宝贝名称>2 宝贝价格<1"_s);
    click(kPriceColumn, Qt::ControlModifier);
    QCOMPARE(markers(), u"宝贝名称>1"_s);
    QCOMPARE(m_sorts, 1);
    QTest::keyRelease(m_grid, Qt::Key_Control);
    QCOMPARE(m_sorts, 2);
    QCOMPARE(query().sort(), u"[宝贝名称]"_s);

    // Without multi-sort marking only the first key stays.
    click(kPriceColumn, Qt::ControlModifier);
    QCOMPARE(markers(), u"宝贝名称>1 宝贝价格>2"_s);
    m_grid->setOptionsExt(m_grid->optionsExt() & ~grid::dghMultiSortMarking);
    QCOMPARE(markers(), u"宝贝名称>1"_s);
}

void TDBGridSortUiTest::ctrlClicksSortWhenTheGridLosesTheFocus() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking |
                          grid::dghMultiSortMarking);
    int changes = 0;
    m_grid->setOnSortMarkingChanged([&changes](grid::TDBGrid& sender) {
        ++changes;
        sender.applySorting();
    });
    click(kPriceColumn, Qt::ControlModifier);
    QVERIFY(m_grid->hasFocus());
    // A cell editor lives in the data area; the focus going there keeps it in the grid.
    auto* editor = new QLineEdit(m_grid->viewport());
    editor->show();
    editor->setFocus();
    QCOMPARE(changes, 0);
    m_grid->setFocus();

    m_otherControl->setFocus();
    QCOMPARE(changes, 1);
    QCOMPARE(m_sorts, 1);
    QCOMPARE(query().sort(), u"[宝贝价格]"_s);
    m_grid->setFocus();
    m_otherControl->setFocus();
    QCOMPARE(changes, 1);
}

void TDBGridSortUiTest::aTitleIsDrawnPressedOnlyWhileHeldOverIt() {
    const QRect title = m_grid->titleHeader().titleRect(kNameColumn);
    const QPoint filterCell = m_grid->titleHeader().filterCellRect(kNameColumn).center();
    const auto look = [&] { return titles()->grab(title).toImage(); };
    const QImage up = look();
    QTest::mousePress(titles(), Qt::LeftButton, {}, title.center());
    const QImage pressed = look();
    QVERIFY(pressed != up);
    QTest::mouseMove(titles(), filterCell);
    QCOMPARE(look(), up);
    QTest::mouseMove(titles(), title.center() - QPoint(0, 2));
    QCOMPARE(look(), pressed);
    QTest::mouseRelease(titles(), Qt::LeftButton, {}, title.center() - QPoint(0, 2));
    QCOMPARE(look(), up);
    QCOMPARE(m_clicks.size(), 1u);

    // A title without a button never looks pressed.
    const QRect link = m_grid->titleHeader().titleRect(kLinkColumn);
    const QImage linkUp = titles()->grab(link).toImage();
    QTest::mousePress(titles(), Qt::LeftButton, {}, link.center());
    QCOMPARE(titles()->grab(link).toImage(), linkUp);
    QTest::mouseRelease(titles(), Qt::LeftButton, {}, link.center());
}

void TDBGridSortUiTest::releasingOverAnotherCellIsNoClick() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking);
    const QPoint name = titleCenter(kNameColumn);
    const QPoint price = titleCenter(kPriceColumn);
    QTest::mousePress(titles(), Qt::LeftButton, {}, name);
    QTest::mouseRelease(titles(), Qt::LeftButton, {}, price);
    // Released over the title's own filter cell.
    QTest::mousePress(titles(), Qt::LeftButton, {}, name);
    QTest::mouseRelease(titles(), Qt::LeftButton, {},
                        m_grid->titleHeader().filterCellRect(kNameColumn).center());
    // Dragged onto another title, which moves the column.
    QTest::mousePress(titles(), Qt::LeftButton, {}, price);
    QTest::mouseMove(titles(), (price + name) / 2);
    QTest::mouseMove(titles(), name);
    QTest::mouseRelease(titles(), Qt::LeftButton, {}, name);
    QCOMPARE(column(kPriceColumn).index(), kNameColumn);

    QCOMPARE(m_clicks.size(), 0u);
    QCOMPARE(markers(), QString());
    QCOMPARE(m_sorts, 0);
    QCOMPARE(names(), QStringList({u"pear"_s, u"apple"_s, u"fig"_s, u"kiwi"_s}));
}

void TDBGridSortUiTest::deletingTheGridWithAPendingSortIsSafe() {
    m_grid->setOptionsExt(m_grid->optionsExt() | grid::dghAutoSortMarking |
                          grid::dghMultiSortMarking);
    click(kPriceColumn, Qt::ControlModifier);
    QVERIFY(m_grid->hasFocus());
    // The focus leaves the grid while it is being destroyed.
    delete m_grid;
    QCOMPARE(m_sorts, 0);
}

QTEST_MAIN(TDBGridSortUiTest)
#include "TDBGridSortUiTest.moc"
