#include "grid/view/FilterEditorLink.h"
#include "tests/grid/GridWindow.h"

using namespace Qt::StringLiterals;
using gridtest::GridWindow;

namespace {

// A filter editor open over one column with a text typed into it.
class OpenEditor : public grid::FilterEditorLink {
public:
    grid::TDBGridColumn* editedColumn() const override { return column; }
    QString editorText() const override { return text; }
    void refill() override { refills << column->stFilter().filterText(); }

    grid::TDBGridColumn* column = nullptr;
    QString text;
    QStringList refills;
};

}  // namespace

// The grid's applyFilter over a real item database: what it does before
// and after the dataset filters, and when the text or the engine fails.
class TDBGridApplyFilterUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void appliesTheEditorTextAndKeepsTheScrollPosition();
    void anEngineFailureStillRefillsRecountsAndIsRaisedAfter();
    void aTextThatDoesNotParseChangesNothing();
    void onApplyFilterReplacesTheDatasetsFiltering();

private:
    grid::TDBGridColumn& column(const QString& fieldName) {
        return m_window->grid->columns().at(m_window->columnIndex(fieldName));
    }
    // Applies the filter; the message of its failure, empty when none.
    QString applyFilter() {
        try {
            m_window->grid->applyFilter();
        } catch (const store::Error& error) {
            return error.message();
        }
        return {};
    }

    std::unique_ptr<GridWindow> m_window;
    OpenEditor m_editor;
};

void TDBGridApplyFilterUiTest::init() {
    m_window = std::make_unique<GridWindow>(100);
    m_window->query().close();
    testsupport::runSql(m_window->path, u"UPDATE BabyData SET 加价幅度 = ID % 10"_s);
    m_window->query().open();
    m_editor = OpenEditor();
    m_window->grid->setFilterEditorLink(&m_editor);
}

void TDBGridApplyFilterUiTest::cleanup() {
    m_window->grid->setFilterEditorLink(nullptr);
    m_window.reset();
}

void TDBGridApplyFilterUiTest::appliesTheEditorTextAndKeepsTheScrollPosition() {
    grid::TDBGrid& grid = *m_window->grid;
    grid.horizontalScrollBar()->setValue(5);
    const int scrolled = grid.horizontalScrollBar()->value();
    QVERIFY(scrolled > 0);
    m_editor.column = &column(u"加价幅度"_s);
    m_editor.text = u"<2 OR =9"_s;

    QCOMPARE(applyFilter(), QString());
    QCOMPARE(m_editor.column->stFilter().filterText(), u"<2 OR =9"_s);
    QCOMPARE(m_window->query().filter(), u"( [加价幅度] < 2 OR [加价幅度] = 9) "_s);
    QCOMPARE(m_window->idFooter(), u"30"_s);
    QCOMPARE(grid.horizontalScrollBar()->value(), scrolled);
    QCOMPARE(m_editor.refills, QStringList{u"<2 OR =9"_s});

    // Without an open editor the texts already stored apply, here with the
    // key-list column 宝贝名称 as well.
    m_editor.column = nullptr;
    column(u"宝贝名称"_s).stFilter().assignFilterText(u"item 19"_s);
    QCOMPARE(applyFilter(), QString());
    QCOMPARE(m_window->idFooter(), u"1"_s);
    QCOMPARE(m_window->value(u"ID"_s), u"19"_s);
}

void TDBGridApplyFilterUiTest::anEngineFailureStillRefillsRecountsAndIsRaisedAfter() {
    grid::TDBGrid& grid = *m_window->grid;
    column(u"加价幅度"_s).stFilter().assignFilterText(u"<5"_s);
    QCOMPARE(applyFilter(), QString());
    QSignalSpy recounts(&grid, &grid::TDBGrid::sumListAfterRecalcAll);
    column(u"视频"_s).stFilter().setDataField(u"没有的字段"_s);
    m_editor.column = &column(u"视频"_s);
    m_editor.text = u"abc"_s;

    const QString failure = applyFilter();
    QVERIFY2(failure.contains(u"没有的字段"_s), qPrintable(failure));
    QCOMPARE(m_window->query().filter(), u" [加价幅度] < 5 "_s);
    QCOMPARE(m_editor.refills, QStringList{u"abc"_s});
    QCOMPARE(recounts.count(), 1);
    QCOMPARE(m_window->idFooter(), u"50"_s);
}

void TDBGridApplyFilterUiTest::aTextThatDoesNotParseChangesNothing() {
    QSignalSpy recounts(m_window->grid, &grid::TDBGrid::sumListAfterRecalcAll);
    m_editor.column = &column(u"加价幅度"_s);
    m_editor.text = u"<5"_s;
    QCOMPARE(applyFilter(), QString());
    m_editor.refills.clear();
    recounts.clear();

    m_editor.text = u"In (1,2"_s;
    QCOMPARE(applyFilter(), u"')' expected: In (1,2"_s);
    QCOMPARE(m_editor.column->stFilter().filterText(), u"<5"_s);
    QCOMPARE(m_window->query().filter(), u" [加价幅度] < 5 "_s);
    QVERIFY(m_editor.refills.isEmpty());
    QCOMPARE(recounts.count(), 0);
}

void TDBGridApplyFilterUiTest::onApplyFilterReplacesTheDatasetsFiltering() {
    int calls = 0;
    m_window->grid->setOnApplyFilter([&calls](grid::TDBGrid&) { ++calls; });
    column(u"加价幅度"_s).stFilter().assignFilterText(u"=3"_s);
    QCOMPARE(applyFilter(), QString());
    QCOMPARE(calls, 1);
    QCOMPARE(m_window->query().filter(), QString());
    QCOMPARE(m_window->idFooter(), u"100"_s);
}

QTEST_MAIN(TDBGridApplyFilterUiTest)
#include "TDBGridApplyFilterUiTest.moc"
