#include <memory>

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/ApplicationTitle.h"
#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/TDBGrid.h"
#include "store/ConnectionString.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

using app::DialogScript;
using app::TForm1;
using testsupport::createItemDatabase;
using testsupport::querySingleInt;
using testsupport::runSql;
using testsupport::TempDir;

namespace {

const QStringList kAllButtons{
    QStringLiteral("Button1"),  QStringLiteral("Button2"), QStringLiteral("Button3"),
    QStringLiteral("Button4"),  QStringLiteral("Button5"), QStringLiteral("Button6"),
    QStringLiteral("Button7"),  QStringLiteral("Button8"), QStringLiteral("Button11"),
    QStringLiteral("Button12"), QStringLiteral("Button17")};

// Buttons usable before any database is connected (Button7 is hidden).
const QStringList kEnabledAtStart{QStringLiteral("Button3"), QStringLiteral("Button7"),
                                  QStringLiteral("Button12")};
const QStringList kEnabledAfterConnect =
    kEnabledAtStart + QStringList{QStringLiteral("Button4"), QStringLiteral("Button5")};
const QStringList kEnabledAfterOpen =
    kEnabledAfterConnect + QStringList{QStringLiteral("Button1"), QStringLiteral("Button2"),
                                       QStringLiteral("Button8"), QStringLiteral("Button11"),
                                       QStringLiteral("Button17")};

enum class Start { Empty, BrokenDataMdb, GoodDataMdb };

// A main window started in a folder of its own; its dialogs are answered by
// the script.
struct Session {
    explicit Session(Start start) : dataMdb(folder.path(QStringLiteral("Data.mdb"))) {
        if (start == Start::BrokenDataMdb) {
            testsupport::writeFile(dataMdb, "this is no database");
        } else if (start == Start::GoodDataMdb) {
            createItemDatabase(folder);
            runSql(dataMdb, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('甲'), ('乙')"));
        }
        form = std::make_unique<TForm1>(TForm1::Setup{folder.path(QString()), &script});
    }

    QPushButton* button(const QString& name) const { return form->button(name); }
    QStringList enabledButtons() const {
        QStringList enabled;
        for (const QString& name : kAllButtons) {
            if (button(name)->isEnabled()) {
                enabled.append(name);
            }
        }
        return enabled;
    }
    int recordCount() const { return form->database().itemQuery.recordCount(); }
    // The record count in the footer under the ID column.
    QString footerCount() const {
        grid::TDBGrid& grid = form->grid();
        return grid.footerText(0, *grid.columns().columnShowingField(QStringLiteral("ID")));
    }

    TempDir folder;
    QString dataMdb;
    DialogScript script;
    std::unique_ptr<TForm1> form;
};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

void verifyErrorBox(const DialogScript::Shown& shown) {
    QCOMPARE(shown.kind, DialogScript::Kind::MessageBox);
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.title, app::applicationTitle());
    QCOMPARE(shown.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(shown.text.endsWith(QLatin1Char('.')));
}

}  // namespace

class TForm1UiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }

    void windowLayout();
    void focusOrder();

    void startWithoutDataMdbShowsNoError();
    void startWithUnusableDataMdb_data();
    void startWithUnusableDataMdb();
    void startWithDataMdbOpensIt();

    void accelerators_data();
    void accelerators();

    void associateCancelledChangesNothing();
    void associateRemembersTheFileAndKeepsTableCommandsAfterAFailedOpen();
    void openTwiceChangesNothing();
    void refreshShowsTheTableAsItIsNow();
    void refreshWithTheQueryClosedDoesNothingVisible();

    void clearAllEmptiesTheTableWithoutAsking();
    void removeDuplicatesKeepsTheLowestIdOfEachName();
    void removeDuplicatesOnAnEmptyTableStillReportsSuccess();
    void removeDuplicatesDropsALeftoverTemporaryTable();
    void failedTableCommandShowsTheEngineMessageOnly();

    void importAddsTheFileAndGivesTheGridBack();
    void failedImportGivesTheGridBack();
    void theProgressWindowBelongsToTheMainWindowDuringAnImport();
    void exportWritesAndAsksAboutAnExistingFile();

    void closingClosesBothConnections_data();
    void closingClosesBothConnections();
};

void TForm1UiTest::windowLayout() {
    Session session(Start::Empty);
    TForm1& form = *session.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("ItemDesk 宝贝数据管理"));
    QCOMPARE(form.frameGeometry(), QRect(393, 138, 1034, 498));
    QCOMPARE(form.font().family(), QStringLiteral("宋体"));
    QCOMPARE(form.font().pixelSize(), 16);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* gridPanel = form.findChild<QWidget*>(QStringLiteral("GridPanel"));
    auto* commandPanel = form.findChild<QWidget*>(QStringLiteral("CommandPanel"));
    QVERIFY(gridPanel && commandPanel);
    QCOMPARE(commandPanel->geometry(), QRect(0, form.height() - 44, form.width(), 44));
    QCOMPARE(gridPanel->geometry(), QRect(0, 0, form.width(), form.height() - 44));

    // The window is resizable and the panels follow.
    form.resize(1200, 600);
    QTRY_COMPARE(commandPanel->geometry(), QRect(0, 556, 1200, 44));
}

void TForm1UiTest::focusOrder() {
    Session session(Start::Empty);
    session.form->show();
    QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
    grid::TDBGrid* grid = &session.form->grid();
    QCOMPARE(QApplication::focusWidget(), grid);

    const QStringList expected{
        QStringLiteral("DBGrid1"), QStringLiteral("Button12"), QStringLiteral("Button5"),
        QStringLiteral("Button4"), QStringLiteral("Button1"),  QStringLiteral("Button2"),
        QStringLiteral("Button8"), QStringLiteral("Button11"), QStringLiteral("Button7"),
        QStringLiteral("Button3"), QStringLiteral("Button17"), QStringLiteral("Button6")};
    QStringList chain;
    QWidget* widget = grid;
    do {
        if (widget == grid || (qobject_cast<QPushButton*>(widget) &&
                               widget->parent()->objectName() == QStringLiteral("CommandPanel"))) {
            chain.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != grid);
    QCOMPARE(chain, expected);
}

void TForm1UiTest::startWithoutDataMdbShowsNoError() {
    Session session(Start::Empty);
    QVERIFY(session.script.shown().empty());
    QCOMPARE(sorted(session.enabledButtons()), sorted(kEnabledAtStart));
    QVERIFY(!session.form->database().itemQuery.isActive());
    QCOMPARE(session.form->importColumnCount(), 40);
}

void TForm1UiTest::startWithUnusableDataMdb_data() {
    QTest::addColumn<QString>("setupSql");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no database") << QString() << QByteArray("this is no database");
    QTest::newRow("no BabyData") << QStringLiteral("CREATE TABLE Other(x)") << QByteArray();
    QTest::newRow("BabyData without a field")
        << QStringLiteral("CREATE TABLE BabyData(宝贝名称 TEXT(150), ID INTEGER PRIMARY KEY)")
        << QByteArray();
}

void TForm1UiTest::startWithUnusableDataMdb() {
    QFETCH(QString, setupSql);
    QFETCH(QByteArray, bytes);
    TempDir folder;
    const QString dataMdb = folder.path(QStringLiteral("Data.mdb"));
    if (setupSql.isEmpty()) {
        testsupport::writeFile(dataMdb, bytes);
    } else {
        runSql(dataMdb, setupSql);
    }
    DialogScript script;
    TForm1 form(TForm1::Setup{folder.path(QString()), &script});

    QCOMPARE(script.shown().size(), std::size_t{1});
    verifyErrorBox(script.shown().front());
    QVERIFY(!form.database().itemQuery.isActive());
    QStringList enabled;
    for (const QString& name : kAllButtons) {
        if (form.button(name)->isEnabled()) {
            enabled.append(name);
        }
    }
    QCOMPARE(sorted(enabled), sorted(kEnabledAfterConnect));

    // Start-up goes on: the window opens.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
}

void TForm1UiTest::startWithDataMdbOpensIt() {
    Session session(Start::GoodDataMdb);
    QVERIFY(session.script.shown().empty());
    QVERIFY(session.form->database().itemQuery.isActive());
    QCOMPARE(session.recordCount(), 2);
    QCOMPARE(session.footerCount(), QStringLiteral("2"));
    QCOMPARE(session.form->database().itemConnection.databasePath(), session.dataMdb);
    QCOMPARE(sorted(session.enabledButtons()), sorted(kEnabledAfterOpen));
    QVERIFY(session.button(QStringLiteral("Button17"))->isHidden());

    // The grid shows the item query; every field already has its column.
    grid::TDBGrid& grid = session.form->grid();
    QCOMPARE(grid.dataSet(), &session.form->database().itemQuery);
    QCOMPARE(grid.columns().count(), 47);
    for (int i = 0; i < session.form->database().itemQuery.fieldCount(); ++i) {
        QVERIFY(
            grid.columns().columnShowingField(session.form->database().itemQuery.field(i).name()));
    }
    QTest::mouseClick(session.button(QStringLiteral("Button4")), Qt::LeftButton);
    QCOMPARE(grid.columns().count(), 47);
}

void TForm1UiTest::accelerators_data() {
    QTest::addColumn<Start>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focus");  // a command button, or empty for the grid
    QTest::addColumn<QString>("clicked");
    const int alt = Qt::AltModifier;
    const int none = Qt::NoModifier;
    const QString inGrid;
    QTest::newRow("Alt+R, nothing connected")
        << Start::Empty << int(Qt::Key_R) << alt << inGrid << QString();
    QTest::newRow("Alt+R after a failed open")
        << Start::BrokenDataMdb << int(Qt::Key_R) << alt << inGrid << QStringLiteral("Button5");
    QTest::newRow("Alt+R after an open")
        << Start::GoodDataMdb << int(Qt::Key_R) << alt << inGrid << QStringLiteral("Button1");
    QTest::newRow("Alt+Shift+R after an open")
        << Start::GoodDataMdb << int(Qt::Key_R) << int(Qt::AltModifier | Qt::ShiftModifier)
        << inGrid << QStringLiteral("Button1");
    QTest::newRow("Alt+M after an open")
        << Start::GoodDataMdb << int(Qt::Key_M) << alt << inGrid << QStringLiteral("Button8");
    QTest::newRow("Alt+M, nothing connected")
        << Start::Empty << int(Qt::Key_M) << alt << inGrid << QString();
    QTest::newRow("Alt+S reaches no hidden button")
        << Start::GoodDataMdb << int(Qt::Key_S) << alt << inGrid << QString();
    QTest::newRow("Alt+D") << Start::Empty << int(Qt::Key_D) << alt << inGrid
                           << QStringLiteral("Button12");
    QTest::newRow("Ctrl+R") << Start::GoodDataMdb << int(Qt::Key_R) << int(Qt::ControlModifier)
                            << inGrid << QString();
    QTest::newRow("O alone on a command button")
        << Start::BrokenDataMdb << int(Qt::Key_O) << none << QStringLiteral("Button12")
        << QStringLiteral("Button4");
    QTest::newRow("R alone on a command button")
        << Start::GoodDataMdb << int(Qt::Key_R) << none << QStringLiteral("Button3")
        << QStringLiteral("Button1");
    QTest::newRow("R alone in the grid")
        << Start::GoodDataMdb << int(Qt::Key_R) << none << inGrid << QString();
    QTest::newRow("Alt+T") << Start::Empty << int(Qt::Key_T) << alt << inGrid
                           << QStringLiteral("Button3");
}

void TForm1UiTest::accelerators() {
    QFETCH(Start, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focus);
    QFETCH(QString, clicked);
    Session session(start);
    session.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(session.form.get()));

    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QString& name : kAllButtons) {
        spies.push_back(std::make_unique<QSignalSpy>(session.button(name), &QPushButton::clicked));
    }
    QWidget* target =
        focus.isEmpty() ? static_cast<QWidget*>(&session.form->grid()) : session.button(focus);
    target->setFocus();
    // A wrongly reached settings dialog would wait for the user.
    QTimer::singleShot(2000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    QTest::keyClick(target, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));

    for (qsizetype i = 0; i < kAllButtons.size(); ++i) {
        QCOMPARE(spies[static_cast<std::size_t>(i)]->count(), kAllButtons[i] == clicked ? 1 : 0);
    }
}

void TForm1UiTest::associateCancelledChangesNothing() {
    Session session(Start::Empty);
    session.script.queueFileName(QString());
    QTest::mouseClick(session.button(QStringLiteral("Button12")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});
    QCOMPARE(session.script.shown().front().kind, DialogScript::Kind::OpenFile);
    QCOMPARE(sorted(session.enabledButtons()), sorted(kEnabledAtStart));
    QVERIFY(session.form->database().itemConnection.connectionString().isEmpty());
}

void TForm1UiTest::associateRemembersTheFileAndKeepsTableCommandsAfterAFailedOpen() {
    Session session(Start::Empty);
    const QString good = createItemDatabase(session.folder, QStringLiteral("good.db"));
    runSql(good, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('a'), ('b'), ('c')"));
    const QString broken = session.folder.path(QStringLiteral("broken.db"));
    testsupport::writeFile(broken, "no database either");
    QPushButton* associate = session.button(QStringLiteral("Button12"));
    store::Query& itemQuery = session.form->database().itemQuery;

    session.script.queueFileName(good);
    QTest::mouseClick(associate, Qt::LeftButton);
    QVERIFY(itemQuery.isActive());
    QCOMPARE(session.recordCount(), 3);
    QCOMPARE(sorted(session.enabledButtons()), sorted(kEnabledAfterOpen));
    itemQuery.last();

    session.script.queueFileName(broken);
    QTest::mouseClick(associate, Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{3});
    QCOMPARE(session.script.shown()[0].text, QString());  // the first dialog starts from nothing
    QCOMPARE(session.script.shown()[1].text, good);       // the next from the file chosen last
    verifyErrorBox(session.script.shown()[2]);
    QVERIFY(!itemQuery.isActive());
    QCOMPARE(sorted(session.enabledButtons()), sorted(kEnabledAfterOpen));

    // Associating the good file again shows it from its first record.
    session.script.queueFileName(good);
    QTest::mouseClick(associate, Qt::LeftButton);
    QCOMPARE(session.script.shown()[3].text, broken);
    QVERIFY(itemQuery.isActive());
    QCOMPARE(itemQuery.recNo(), 0);
    QCOMPARE(session.form->database().itemConnection.connectionString(),
             store::connectionStringFor(good));
}

void TForm1UiTest::openTwiceChangesNothing() {
    Session session(Start::GoodDataMdb);
    store::Query& itemQuery = session.form->database().itemQuery;
    itemQuery.last();
    QTest::mouseClick(session.button(QStringLiteral("Button4")), Qt::LeftButton);
    QVERIFY(session.script.shown().empty());
    QVERIFY(itemQuery.isActive());
    QCOMPARE(itemQuery.recNo(), 1);
}

void TForm1UiTest::refreshShowsTheTableAsItIsNow() {
    Session session(Start::GoodDataMdb);
    store::Query& itemQuery = session.form->database().itemQuery;
    itemQuery.last();
    runSql(session.dataMdb, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('丙')"));
    QCOMPARE(session.recordCount(), 2);

    QTest::mouseClick(session.button(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(session.recordCount(), 3);
    QCOMPARE(session.footerCount(), QStringLiteral("3"));
    QCOMPARE(itemQuery.recNo(), 0);
    QVERIFY(session.script.shown().empty());
}

void TForm1UiTest::refreshWithTheQueryClosedDoesNothingVisible() {
    Session session(Start::BrokenDataMdb);
    session.script.clearShown();
    QTest::mouseClick(session.button(QStringLiteral("Button5")), Qt::LeftButton);
    QVERIFY(session.script.shown().empty());
    QVERIFY(!session.form->database().itemQuery.isActive());
}

void TForm1UiTest::clearAllEmptiesTheTableWithoutAsking() {
    Session session(Start::GoodDataMdb);
    runSql(session.dataMdb,
           QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n "
                          "WHERE i < 1000) INSERT INTO BabyData(宝贝名称) SELECT 'x' || i FROM n"));
    QTest::mouseClick(session.button(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(session.recordCount(), 1000);

    QCOMPARE(session.footerCount(), QStringLiteral("1000"));
    QTest::mouseClick(session.button(QStringLiteral("Button11")), Qt::LeftButton);
    QVERIFY(session.script.shown().empty());
    QVERIFY(session.form->database().itemQuery.isActive());
    QCOMPARE(session.recordCount(), 0);
    QCOMPARE(session.footerCount(), QStringLiteral("0"));
    QCOMPARE(querySingleInt(session.dataMdb, QStringLiteral("SELECT count(*) FROM BabyData")), 0);
}

void TForm1UiTest::removeDuplicatesKeepsTheLowestIdOfEachName() {
    Session session(Start::Empty);
    createItemDatabase(session.folder);
    runSql(session.dataMdb, QStringLiteral("INSERT INTO BabyData(ID, 宝贝名称, 宝贝价格) VALUES "
                                           "(5, 'A', 1), (2, 'A', 2), (9, 'A', 3), (4, 'B', 4), "
                                           "(7, NULL, 5), (3, NULL, 6), (8, 'C', 7)"));
    session.script.queueFileName(session.dataMdb);
    QTest::mouseClick(session.button(QStringLiteral("Button12")), Qt::LeftButton);
    session.script.clearShown();

    QTest::mouseClick(session.button(QStringLiteral("Button8")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});
    const DialogScript::Shown& message = session.script.shown().front();
    QCOMPARE(message.text, QStringLiteral("操作成功，已将重复记录删除"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(message.title, app::applicationTitle());
    QCOMPARE(message.buttons, QStringList{QStringLiteral("OK")});

    QCOMPARE(session.recordCount(), 4);
    QCOMPARE(session.footerCount(), QStringLiteral("4"));
    // The survivors keep every field unchanged.
    QCOMPARE(testsupport::queryRows(
                 session.dataMdb, QStringLiteral("SELECT ID, 宝贝价格 FROM BabyData ORDER BY ID")),
             (QList<QVariantList>{{2, 2}, {3, 6}, {4, 4}, {8, 7}}));
    QCOMPARE(querySingleInt(
                 session.dataMdb,
                 QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'BabyDataID'")),
             0);
    QCOMPARE(session.form->database().itemQuery.recNo(), 0);
}

void TForm1UiTest::removeDuplicatesOnAnEmptyTableStillReportsSuccess() {
    Session session(Start::GoodDataMdb);
    QTest::mouseClick(session.button(QStringLiteral("Button11")), Qt::LeftButton);
    QTest::mouseClick(session.button(QStringLiteral("Button8")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});
    QCOMPARE(session.script.shown().front().text, QStringLiteral("操作成功，已将重复记录删除"));
    QCOMPARE(session.recordCount(), 0);
}

void TForm1UiTest::removeDuplicatesDropsALeftoverTemporaryTable() {
    Session session(Start::GoodDataMdb);
    runSql(session.dataMdb, QStringLiteral("CREATE TABLE BabyDataID(ID INTEGER);"
                                           "INSERT INTO BabyDataID VALUES (1);"
                                           "INSERT INTO BabyData(宝贝名称) VALUES ('甲')"));
    QTest::mouseClick(session.button(QStringLiteral("Button8")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});
    QCOMPARE(session.script.shown().front().icon, QMessageBox::NoIcon);
    QCOMPARE(session.recordCount(), 2);
}

void TForm1UiTest::failedTableCommandShowsTheEngineMessageOnly() {
    Session session(Start::GoodDataMdb);
    runSql(session.dataMdb, QStringLiteral("DROP TABLE BabyData"));
    QTest::mouseClick(session.button(QStringLiteral("Button8")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});
    verifyErrorBox(session.script.shown().front());
    QVERIFY2(session.script.shown().front().text.contains(QStringLiteral("BabyData")),
             qPrintable(session.script.shown().front().text));

    // The window goes on working.
    QTest::mouseClick(session.button(QStringLiteral("Button11")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{2});
    verifyErrorBox(session.script.shown().back());
}

void TForm1UiTest::importAddsTheFileAndGivesTheGridBack() {
    Session session(Start::GoodDataMdb);
    const QString itemFile = session.folder.path(QStringLiteral("items.csv"));
    QStringList first(40, QStringLiteral("1"));
    first[0] = QStringLiteral("\"丙\"");
    QStringList second(40, QStringLiteral("2"));
    second[0] = QStringLiteral("丁");
    testsupport::ItemFileBuilder().header().record(first).record(second).writeTo(itemFile);

    // Cancelled: nothing happens.
    QTest::mouseClick(session.button(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{1});

    session.script.queueFileName(itemFile);
    QTest::mouseClick(session.button(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{3});
    const DialogScript::Shown& message = session.script.shown()[2];
    QCOMPARE(message.text, QStringLiteral("导入成功"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(session.recordCount(), 4);
    QCOMPARE(testsupport::queryRows(session.dataMdb,
                                    QStringLiteral("SELECT 宝贝名称 FROM BabyData ORDER BY ID")),
             (QList<QVariantList>{{QStringLiteral("甲")},
                                  {QStringLiteral("乙")},
                                  {QStringLiteral("丙")},
                                  {QStringLiteral("丁")}}));
    QCOMPARE(session.form->dataSource().dataSet(), &session.form->database().itemQuery);
    QVERIFY(!app::TForm2::get().isVisible());
    QCOMPARE(app::TForm2::get().countsText(), QStringLiteral("当前/总数：2/1000"));
}

void TForm1UiTest::failedImportGivesTheGridBack() {
    Session session(Start::GoodDataMdb);
    session.script.queueFileName(session.folder.path(QStringLiteral("missing.csv")));
    QTest::mouseClick(session.button(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{2});
    verifyErrorBox(session.script.shown()[1]);
    QCOMPARE(session.recordCount(), 2);
    QCOMPARE(session.form->dataSource().dataSet(), &session.form->database().itemQuery);
    QVERIFY(!app::TForm2::get().isVisible());
}

// A window transient for the main window is kept above it by the window
// manager; the check runs while the import is under way, from the timer
// that the progress window lets run as it repaints.
void TForm1UiTest::theProgressWindowBelongsToTheMainWindowDuringAnImport() {
    Session session(Start::GoodDataMdb);
    session.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(session.form.get()));
    const QString itemFile = session.folder.path(QStringLiteral("items.csv"));
    testsupport::ItemFileBuilder()
        .header()
        .record(QStringList(40, QStringLiteral("1")))
        .writeTo(itemFile);
    session.script.queueFileName(itemFile);

    struct Seen {
        bool visible = false;
        QWidget* parent = nullptr;
        QWindow* transientParent = nullptr;
        Qt::WindowFlags flags;
        QRect frame;
    } seen;
    QTimer::singleShot(0, [&seen] {
        app::TForm2& progress = app::TForm2::get();
        seen = {progress.isVisible(), progress.parentWidget(),
                progress.windowHandle() ? progress.windowHandle()->transientParent() : nullptr,
                progress.windowFlags(), progress.frameGeometry()};
    });
    QTest::mouseClick(session.button(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(session.recordCount(), 3);

    QVERIFY(seen.visible);
    QCOMPARE(seen.parent, session.form.get());
    QCOMPARE(seen.transientParent, session.form->windowHandle());
    QCOMPARE(seen.flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(!(seen.flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                            Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint)));
    // A window of its own, placed on the screen, not inside the main window.
    QCOMPARE(seen.frame.topLeft(), QPoint(284, 293));
}

void TForm1UiTest::exportWritesAndAsksAboutAnExistingFile() {
    Session session(Start::GoodDataMdb);
    QPushButton* exportButton = session.button(QStringLiteral("Button2"));
    const QString chosen = session.folder.path(QStringLiteral("out"));
    const QString written = chosen + QStringLiteral(".csv");

    session.script.queueFileName(chosen, 1);
    QTest::mouseClick(exportButton, Qt::LeftButton);
    QCOMPARE(session.script.shown().size(), std::size_t{2});
    QCOMPARE(session.script.shown()[0].kind, DialogScript::Kind::SaveFile);
    QCOMPARE(session.script.shown()[0].entry, 1);
    QCOMPARE(session.script.shown()[1].text, QStringLiteral("已导出至 ") + written);
    const QByteArray once = testsupport::readFile(written);
    QVERIFY(once.startsWith("\xff\xfe"));
    QCOMPARE(session.form->dataSource().dataSet(), &session.form->database().itemQuery);

    struct Round {
        QMessageBox::StandardButton answer;
        qsizetype size;
    };
    for (const Round& round :
         {Round{QMessageBox::Cancel, once.size()}, Round{QMessageBox::No, 2 * once.size()},
          Round{QMessageBox::Yes, once.size()}}) {
        session.script.clearShown();
        session.script.queueFileName(written, 1);
        session.script.queueAnswer(round.answer);
        QTest::mouseClick(exportButton, Qt::LeftButton);
        // The dialog starts from the longer name chosen last.
        QCOMPARE(session.script.shown()[0].text, written);
        const DialogScript::Shown& question = session.script.shown()[1];
        QCOMPARE(question.icon, QMessageBox::Information);
        QCOMPARE(question.title, session.form->windowTitle());
        QCOMPARE(question.buttons,
                 (QStringList{QStringLiteral("是"), QStringLiteral("否"), QStringLiteral("取消")}));
        QVERIFY(question.text.startsWith(QStringLiteral("当前保存文件已经存在")));
        QCOMPARE(testsupport::readFile(written).size(), round.size);
    }
}

void TForm1UiTest::closingClosesBothConnections_data() {
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("exit button") << true;
    QTest::newRow("close box") << false;
}

void TForm1UiTest::closingClosesBothConnections() {
    QFETCH(bool, byExitButton);
    Session session(Start::GoodDataMdb);
    store::ItemDatabase& database = session.form->database();
    database.sourceConnection.setConnectionString(store::connectionStringFor(session.dataMdb));
    database.sourceConnection.open();
    session.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(session.form.get()));
    QVERIFY(database.itemConnection.isOpen());

    if (byExitButton) {
        QTest::mouseClick(session.button(QStringLiteral("Button3")), Qt::LeftButton);
    } else {
        // What the window system sends when the title bar's close box is clicked.
        QCloseEvent closeBox;
        QApplication::sendEvent(session.form->windowHandle(), &closeBox);
    }
    QVERIFY(!session.form->isVisible());
    QVERIFY(!database.itemConnection.isOpen());
    QVERIFY(!database.sourceConnection.isOpen());
    QVERIFY(!database.itemQuery.isActive());
    QVERIFY(session.script.shown().empty());
}

QTEST_MAIN(TForm1UiTest)
#include "TForm1UiTest.moc"
