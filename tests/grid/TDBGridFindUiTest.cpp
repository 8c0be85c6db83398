#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "grid/find/TDBGridFindDlg.h"
#include "tests/grid/GridWindow.h"

using namespace Qt::StringLiterals;
using gridtest::GridWindow;

// The find dialog over DBGrid1: Ctrl+F in the grid opens it, the test types
// into it, chooses options and clicks "&Find next", then closes it; the grid
// shows where the search went.
class TDBGridFindUiTest : public QObject {
    Q_OBJECT

private slots:
    void opensLaidOutAndKeepsHistoryAndOptions();
    void ctrlFOpensOnlyWithTheOptionAndAnActiveLink();
    void allFindsTheFirstRecordAndThenGoesOnDownwards();
    void upAndDownDoNotTestTheCurrentRecord();
    void ctrlReversesTheDirection();
    void emptyTextRulesOfTheThreeMatchings_data();
    void emptyTextRulesOfTheThreeMatchings();
    void allColumnsAreSearchedRecordByRecord();
    void memoColumnsCompareTheirPlaceholderWithMatchFormat();
    void recordsHiddenByTheFilterAreNotFound();
    void onlyTextColumnAndDirectionRestartAll();

private:
    using Script = std::function<void(grid::TDBGridFindDlg&)>;
    // Presses Ctrl+F where the keyboard focus is, runs `script` in the
    // dialog and closes it with "Close"; false when no dialog opened.
    static bool withDialog(GridWindow& w, const Script& script);
    template <typename T>
    static T* control(grid::TDBGridFindDlg& dialog, const char* name) {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    static void type(grid::TDBGridFindDlg& dialog, const QString& text) {
        QLineEdit* edit = control<QComboBox>(dialog, "cbText")->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void choose(grid::TDBGridFindDlg& dialog, const char* box, const QString& item) {
        auto* combo = control<QComboBox>(dialog, box);
        combo->setCurrentIndex(combo->findText(item));
    }
    static void findNext(grid::TDBGridFindDlg& dialog,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(control<QPushButton>(dialog, "bFind"), Qt::LeftButton, modifiers);
    }
    // Searches once with the given options from the current cell.
    static void search(GridWindow& w, const QString& text, const QString& findIn,
                       const QString& matching, const QString& direction) {
        QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
            type(dialog, text);
            choose(dialog, "cbFindIn", findIn);
            choose(dialog, "cbMatchinType", matching);
            choose(dialog, "cbFindDirection", direction);
            findNext(dialog);
        }));
    }
    static int topRow(GridWindow& w) { return w.grid->verticalScrollBar()->value(); }
};

bool TDBGridFindUiTest::withDialog(GridWindow& w, const Script& script) {
    // The window has the keyboard back from the dialog before the next Ctrl+F.
    w.window.activateWindow();
    if (!QTest::qWaitForWindowActive(&w.window))
        return false;
    if (!w.window.isAncestorOf(w.focused()))
        w.grid->setFocus();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<grid::TDBGridFindDlg*>(QApplication::activeModalWidget());
        if (!dialog || !QTest::qWaitForWindowActive(dialog))
            return;
        opened = true;
        script(*dialog);
        QTest::mouseClick(control<QPushButton>(*dialog, "bCancel"), Qt::LeftButton);
    });
    w.key(Qt::Key_F, Qt::ControlModifier);
    QCoreApplication::processEvents();
    return opened;
}

void TDBGridFindUiTest::opensLaidOutAndKeepsHistoryAndOptions() {
    GridWindow w(5);
    w.goTo(0, u"宝贝价格"_s);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Find text"_s);
        QCOMPARE(dialog.size(), QSize(505, 124));
        QVERIFY(!control<QComboBox>(dialog, "dbcTreeFindRange")->isVisible());
        // Tab order from the text box through every shown control.
        QStringList order;
        QWidget* at = control<QComboBox>(dialog, "cbText");
        QCOMPARE(QApplication::focusWidget(), at->focusProxy() ? at->focusProxy() : at);
        for (int i = 0; i < 8; ++i, at = at->nextInFocusChain()) {
            while (!at->isVisible() || at->focusPolicy() == Qt::NoFocus ||
                   at->objectName().isEmpty())
                at = at->nextInFocusChain();
            order << at->objectName();
        }
        QCOMPARE(order,
                 QStringList({u"cbText"_s, u"cbFindIn"_s, u"cbMatchinType"_s, u"cbFindDirection"_s,
                              u"cbCharCase"_s, u"cbUseFormat"_s, u"bFind"_s, u"bCancel"_s}));
        for (const char* label : {"Fi&nd What:", "Find &in:", "Matc&h:", "Sea&rch:"}) {
            const auto labels = dialog.findChildren<QLabel*>();
            QVERIFY2(std::any_of(labels.begin(), labels.end(),
                                 [&](QLabel* l) { return l->text() == QLatin1StringView(label); }),
                     label);
        }
        auto* findIn = control<QComboBox>(dialog, "cbFindIn");
        QCOMPARE(findIn->count(), w.grid->columns().count() + 1);
        QCOMPARE(findIn->itemText(0), u"ID"_s);
        QCOMPARE(findIn->itemText(findIn->count() - 1), u"<All>"_s);
        QCOMPARE(findIn->currentText(), u"宝贝价格"_s);
        QCOMPARE(control<QComboBox>(dialog, "cbMatchinType")->currentText(),
                 u"From any part of field"_s);
        QCOMPARE(control<QComboBox>(dialog, "cbFindDirection")->currentText(), u"All"_s);
        QVERIFY(!control<QCheckBox>(dialog, "cbCharCase")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "cbUseFormat")->isChecked());
        QCOMPARE(control<QPushButton>(dialog, "bFind")->text(), u"&Find next"_s);
        QCOMPARE(control<QPushButton>(dialog, "bCancel")->text(), u"Close"_s);

        type(dialog, u"Item 3"_s);
        findNext(dialog);
        choose(dialog, "cbFindIn", u"宝贝名称"_s);
        type(dialog, u"item 3"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        choose(dialog, "cbFindDirection", u"Up"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
    }));
    QCOMPARE(w.query().recNo(), 2);
    QCOMPARE(w.currentField(), u"宝贝名称"_s);

    // The same dialog again: the history (without a second "item 3") and the options stay, the
    // text box is empty and the column list follows the grid.
    w.grid->columns().at(w.columnIndex(u"省"_s)).setVisible(false);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        QCOMPARE(&dialog, &grid::TDBGridFindDlg::instance());
        auto* text = control<QComboBox>(dialog, "cbText");
        QCOMPARE(text->currentText(), QString());
        QCOMPARE(text->count(), 1);
        QCOMPARE(text->itemText(0), u"Item 3"_s);
        QCOMPARE(control<QComboBox>(dialog, "cbFindDirection")->currentText(), u"Up"_s);
        QVERIFY(control<QCheckBox>(dialog, "cbCharCase")->isChecked());
        auto* findIn = control<QComboBox>(dialog, "cbFindIn");
        QCOMPARE(findIn->count(), w.grid->columns().count());
        QCOMPARE(findIn->findText(u"省"_s), -1);
        QCOMPARE(findIn->currentText(), u"宝贝名称"_s);
        // Back to the options the other cases expect.
        choose(dialog, "cbFindDirection", u"All"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
    }));
}

void TDBGridFindUiTest::ctrlFOpensOnlyWithTheOptionAndAnActiveLink() {
    GridWindow w(3);
    w.key(Qt::Key_F2);
    QVERIFY(w.editor().isOpen());
    QVERIFY2(withDialog(w, [](grid::TDBGridFindDlg&) {}), "Ctrl+F in the cell editor");
    w.grid->setFocus();
    w.grid->setOptionsExt(w.grid->optionsExt() & ~grid::TDBGridOptions(grid::dghDialogFind));
    QVERIFY(!withDialog(w, [](grid::TDBGridFindDlg&) {}));
    w.grid->setOptionsExt(grid::kDefaultOptionsExt);
    w.source.setDataSet(nullptr);
    QVERIFY(!withDialog(w, [](grid::TDBGridFindDlg&) {}));
    w.source.setDataSet(&w.query());
    QVERIFY(withDialog(w, [](grid::TDBGridFindDlg&) {}));
}

void TDBGridFindUiTest::allFindsTheFirstRecordAndThenGoesOnDownwards() {
    GridWindow w(40);
    w.goTo(20, u"宝贝名称"_s);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        type(dialog, u"ITEM 1"_s);
        choose(dialog, "cbMatchinType", u"Whole field"_s);
        choose(dialog, "cbFindDirection", u"All"_s);
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 0);
        QVERIFY(!dialog.firstSearch());
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 0);
        QCOMPARE(w.currentField(), u"宝贝名称"_s);
        // "From beging of field" goes on downwards to item 10, not back to item 1.
        choose(dialog, "cbMatchinType", u"From beging of field"_s);
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 9);
    }));
}

void TDBGridFindUiTest::upAndDownDoNotTestTheCurrentRecord() {
    GridWindow w(40);
    w.goTo(25, u"宝贝名称"_s);
    w.grid->verticalScrollBar()->setValue(20);
    const int top = topRow(w);
    search(w, u"item 26"_s, u"宝贝名称"_s, u"Whole field"_s, u"Down"_s);
    QCOMPARE(w.query().recNo(), 25);
    QCOMPARE(topRow(w), top);
    search(w, u"item 26"_s, u"宝贝名称"_s, u"Whole field"_s, u"Up"_s);
    QCOMPARE(w.query().recNo(), 25);
    QCOMPARE(topRow(w), top);

    w.goTo(0, u"宝贝名称"_s);
    search(w, u"item"_s, u"宝贝名称"_s, u"From any part of field"_s, u"Up"_s);
    QCOMPARE(w.query().recNo(), 0);
    QCOMPARE(topRow(w), 0);
    search(w, u"item"_s, u"宝贝名称"_s, u"From any part of field"_s, u"Down"_s);
    QCOMPARE(w.query().recNo(), 1);
}

void TDBGridFindUiTest::ctrlReversesTheDirection() {
    GridWindow w(10);
    w.goTo(5, u"宝贝名称"_s);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        type(dialog, u"item"_s);
        choose(dialog, "cbFindIn", u"宝贝名称"_s);
        choose(dialog, "cbMatchinType", u"From any part of field"_s);
        choose(dialog, "cbFindDirection", u"Down"_s);
        findNext(dialog, Qt::ControlModifier);
        QCOMPARE(w.query().recNo(), 4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w.query().recNo(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.query().recNo(), 4);
        // "All" reversed searches upwards from the current record.
        choose(dialog, "cbFindDirection", u"All"_s);
        findNext(dialog, Qt::ControlModifier);
        QCOMPARE(w.query().recNo(), 3);
        choose(dialog, "cbFindDirection", u"Up"_s);
        findNext(dialog, Qt::ControlModifier);
        QCOMPARE(w.query().recNo(), 4);
    }));
}

void TDBGridFindUiTest::emptyTextRulesOfTheThreeMatchings_data() {
    QTest::addColumn<QString>("findIn");
    QTest::addColumn<QString>("matching");
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("column");
    QTest::newRow("whole field finds the first empty cell")
        << u"宝贝名称"_s << u"Whole field"_s << 6 << u"宝贝名称"_s;
    QTest::newRow("from the beginning matches the next record")
        << u"宝贝名称"_s << u"From beging of field"_s << 3 << u"宝贝名称"_s;
    QTest::newRow("from the beginning matches the next cell with <All>")
        << u"<All>"_s << u"From beging of field"_s << 2 << u"宝贝类目"_s;
    QTest::newRow("any part finds nothing")
        << u"宝贝名称"_s << u"From any part of field"_s << 2 << u"宝贝名称"_s;
}

void TDBGridFindUiTest::emptyTextRulesOfTheThreeMatchings() {
    QFETCH(QString, findIn);
    QFETCH(QString, matching);
    QFETCH(int, record);
    QFETCH(QString, column);
    GridWindow w(10);
    testsupport::runSql(w.path, u"UPDATE BabyData SET 宝贝名称 = NULL WHERE ID = 7"_s);
    w.query().requery();
    w.goTo(2, u"宝贝名称"_s);
    search(w, QString(), findIn, matching, u"Down"_s);
    QCOMPARE(w.query().recNo(), record);
    QCOMPARE(w.currentField(), column);
}

void TDBGridFindUiTest::allColumnsAreSearchedRecordByRecord() {
    GridWindow w(10);
    // 宝贝链接 stands left of 宝贝名称; 数据ID, the last column, is scrolled out of view.
    testsupport::runSql(w.path,
                        u"UPDATE BabyData SET 宝贝链接 = 'Zz' WHERE ID IN (1, 3);"
                        u"UPDATE BabyData SET 数据ID = 'Zz' WHERE ID = 5;"
                        u"UPDATE BabyData SET 宝贝属性 = 'zz' WHERE ID = 5"_s);
    w.query().requery();
    w.goTo(4, u"宝贝名称"_s);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        type(dialog, u"Zz"_s);
        choose(dialog, "cbFindIn", u"<All>"_s);
        choose(dialog, "cbMatchinType", u"Whole field"_s);
        choose(dialog, "cbFindDirection", u"All"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbUseFormat"), Qt::LeftButton);
        // The first record is tested from 宝贝名称 rightwards: its 宝贝链接 is not.
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 2);
        QCOMPARE(w.currentField(), u"宝贝链接"_s);
        // Every column of record 5 before record 6; the memo text zz differs in case.
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 4);
        QCOMPARE(w.currentField(), u"数据ID"_s);
        findNext(dialog, Qt::ControlModifier);
        QCOMPARE(w.query().recNo(), 2);
        QCOMPARE(w.currentField(), u"宝贝链接"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbUseFormat"), Qt::LeftButton);
    }));

    // A hidden current column: the search starts at the first visible column.
    w.goTo(4, u"宝贝名称"_s);
    w.grid->columns().at(w.columnIndex(u"宝贝名称"_s)).setVisible(false);
    search(w, u"zz"_s, u"<All>"_s, u"Whole field"_s, u"All"_s);
    QCOMPARE(w.query().recNo(), 0);
    QCOMPARE(w.currentField(), u"宝贝链接"_s);
}

void TDBGridFindUiTest::memoColumnsCompareTheirPlaceholderWithMatchFormat() {
    GridWindow w(6);
    testsupport::runSql(w.path, u"UPDATE BabyData SET 宝贝描述 = 'hello' WHERE ID = 4"_s);
    w.query().requery();
    w.goTo(0, u"宝贝描述"_s);
    search(w, u"hello"_s, u"宝贝描述"_s, u"From any part of field"_s, u"All"_s);
    QCOMPARE(w.query().recNo(), 0);
    // Without regard to case (MEMO) is also the (Memo) of an empty memo.
    search(w, u"(MEMO)"_s, u"宝贝描述"_s, u"Whole field"_s, u"All"_s);
    QCOMPARE(w.query().recNo(), 0);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        type(dialog, u"(MEMO)"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 3);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbCharCase"), Qt::LeftButton);
    }));
    w.goTo(0, u"宝贝描述"_s);
    QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
        type(dialog, u"HELLO"_s);
        choose(dialog, "cbMatchinType", u"From any part of field"_s);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbUseFormat"), Qt::LeftButton);
        findNext(dialog);
        QCOMPARE(w.query().recNo(), 3);
        QTest::mouseClick(control<QCheckBox>(dialog, "cbUseFormat"), Qt::LeftButton);
    }));
}

void TDBGridFindUiTest::recordsHiddenByTheFilterAreNotFound() {
    GridWindow w(10);
    w.query().setFilter(u"[宝贝价格] > 5"_s);
    w.query().setFiltered(true);
    search(w, u"item 3"_s, u"宝贝名称"_s, u"Whole field"_s, u"All"_s);
    QCOMPARE(w.query().recNo(), 0);
    QCOMPARE(w.value(u"宝贝名称"_s), u"item 6"_s);
    search(w, u"item 8"_s, u"宝贝名称"_s, u"Whole field"_s, u"All"_s);
    QCOMPARE(w.query().recNo(), 2);
}

void TDBGridFindUiTest::onlyTextColumnAndDirectionRestartAll() {
    struct Change {
        const char* name;
        std::function<void(grid::TDBGridFindDlg&)> apply;
        bool restarts;
    };
    const Change changes[] = {
        {"text", [](auto& d) { type(d, u"item 22"_s); }, true},
        {"column", [](auto& d) { choose(d, "cbFindIn", u"<All>"_s); }, true},
        {"direction",
         [](auto& d) {
             choose(d, "cbFindDirection", u"Down"_s);
             choose(d, "cbFindDirection", u"All"_s);
         },
         true},
        {"matching",
         [](auto& d) {
             choose(d, "cbMatchinType", u"Whole field"_s);
             choose(d, "cbMatchinType", u"From beging of field"_s);
         },
         false},
        {"case",
         [](auto& d) { QTest::mouseClick(control<QCheckBox>(d, "cbCharCase"), Qt::LeftButton); },
         false},
        {"format",
         [](auto& d) { QTest::mouseClick(control<QCheckBox>(d, "cbUseFormat"), Qt::LeftButton); },
         false},
    };
    GridWindow w(30);
    for (const Change& change : changes) {
        w.goTo(15, u"宝贝名称"_s);
        QVERIFY(withDialog(w, [&](grid::TDBGridFindDlg& dialog) {
            type(dialog, u"item 2"_s);
            choose(dialog, "cbFindIn", u"宝贝名称"_s);
            choose(dialog, "cbMatchinType", u"From beging of field"_s);
            choose(dialog, "cbFindDirection", u"All"_s);
            findNext(dialog);
            QCOMPARE(w.query().recNo(), 1);
            findNext(dialog);
            QCOMPARE(w.query().recNo(), 19);
            change.apply(dialog);
            findNext(dialog);
            const int expected =
                change.restarts ? (QByteArray(change.name) == "text" ? 21 : 1) : 20;
            QVERIFY2(w.query().recNo() == expected, change.name);
            QCOMPARE(dialog.firstSearch(), false);
            // Undo the change of a check box for the next round.
            if (QByteArray(change.name) == "case" || QByteArray(change.name) == "format")
                change.apply(dialog);
        }));
    }
}

QTEST_MAIN(TDBGridFindUiTest)
#include "TDBGridFindUiTest.moc"
