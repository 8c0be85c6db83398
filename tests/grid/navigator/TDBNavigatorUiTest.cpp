#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "grid/navigator/TDBNavigator.h"
#include "grid/navigator/TNavButton.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "tests/support/TempDir.h"

using namespace grid;

namespace {

const TButtonSet kNineButtons{nbFirst,  nbPrior, nbNext, nbLast,  nbInsert,
                              nbDelete, nbEdit,  nbPost, nbCancel};

const QStringList kButtonNames{QStringLiteral("nbFirst"),  QStringLiteral("nbPrior"),
                               QStringLiteral("nbNext"),   QStringLiteral("nbLast"),
                               QStringLiteral("nbInsert"), QStringLiteral("nbDelete"),
                               QStringLiteral("nbEdit"),   QStringLiteral("nbPost"),
                               QStringLiteral("nbCancel"), QStringLiteral("nbRefresh")};

// A navigator over the item query of a fresh database holding `records`
// records named 1, 2, ..., shown in a window beside a line edit that holds
// the keyboard focus. Delete questions are answered from `answers`.
struct Session {
    explicit Session(int records) {
        const QString file = testsupport::createItemDatabase(folder);
        for (int i = 1; i <= records; ++i) {
            testsupport::runSql(
                file, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('%1')").arg(i));
        }
        database.connectFile(file);
        database.openItemQuery();
        source.setDataSet(&query());

        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(lineEdit);
        layout->addWidget(navigator);
        navigator->setFixedSize(279, 25);
        navigator->setVisibleButtons(kNineButtons);
        navigator->setDataSource(&source);
        navigator->setConfirmer([this](const QString& caption, const QString& text) {
            questions.append(caption + QLatin1Char('|') + text);
            return answerYes;
        });
        window.show();
        lineEdit->setFocus();
    }
    ~Session() { navigator->setDataSource(nullptr); }

    store::Query& query() { return database.itemQuery; }
    TNavButton* button(TNavigateBtn index) const { return navigator->button(index); }
    void click(TNavigateBtn index) { QTest::mouseClick(button(index), Qt::LeftButton); }
    QString name() { return query().fieldByName(QStringLiteral("宝贝名称")).asText(); }
    QList<TNavigateBtn> enabled() const {
        QList<TNavigateBtn> list;
        for (int i = 0; i < kNavigateBtnCount; ++i) {
            if (button(static_cast<TNavigateBtn>(i))->isEnabled())
                list.append(static_cast<TNavigateBtn>(i));
        }
        return list;
    }
    // Holds a button down for `milliseconds`, then releases it; returns how
    // long it was held.
    qint64 hold(TNavigateBtn index, int milliseconds) {
        QElapsedTimer held;
        held.start();
        QTest::mousePress(button(index), Qt::LeftButton);
        QTest::qWait(milliseconds);
        QTest::mouseRelease(button(index), Qt::LeftButton);
        return held.elapsed();
    }

    testsupport::TempDir folder;
    store::ItemDatabase database;
    store::DataSource source;
    QWidget window;
    QLineEdit* lineEdit = new QLineEdit(&window);
    TDBNavigator* navigator = new TDBNavigator(&window);
    QStringList questions;
    bool answerYes = true;
};

const QList<TNavigateBtn> kMoves{nbFirst, nbPrior, nbNext, nbLast};

QList<TNavigateBtn> enabledMoves(const Session& session) {
    QList<TNavigateBtn> list;
    for (TNavigateBtn index : session.enabled()) {
        if (kMoves.contains(index))
            list.append(index);
    }
    return list;
}

QList<TNavigateBtn> editingButtons(const Session& session) {
    QList<TNavigateBtn> list;
    for (TNavigateBtn index : session.enabled()) {
        if (index == nbInsert || index == nbEdit || index == nbPost || index == nbCancel)
            list.append(index);
    }
    return list;
}

}  // namespace

class TDBNavigatorUiTest : public QObject {
    Q_OBJECT

private slots:
    void tenButtonsNineShownNoneTakesTheFocus();
    void emptyTableAllowsOnlyInsertAndEdit();
    void movesEnableByBeginningAndEnd_data();
    void movesEnableByBeginningAndEnd();
    void holdingAButtonRepeatsItsMove();
    void holdingAButtonStopsAtTheEnd_data();
    void holdingAButtonStopsAtTheEnd();
    void anErrorStopsTheRepeatingAndIsReported();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void defaultQuestionIsAConfirmationBox_data();
    void defaultQuestionIsAConfirmationBox();
    void everythingDisabledWithoutAnOpenDataset();
    void insertEditPostAndCancel_data();
    void insertEditPostAndCancel();
    void failedPostIsReportedAndKeepsTheRecordInserting();
};

void TDBNavigatorUiTest::tenButtonsNineShownNoneTakesTheFocus() {
    Session session(3);
    QVERIFY(QTest::qWaitForWindowExposed(&session.window));
    const QList<TNavButton*> buttons =
        session.navigator->findChildren<TNavButton*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(buttons.size(), 10);
    const QStringList hints{QStringLiteral("First record"),  QStringLiteral("Prior record"),
                            QStringLiteral("Next record"),   QStringLiteral("Last record"),
                            QStringLiteral("Insert record"), QStringLiteral("Delete record"),
                            QStringLiteral("Edit record"),   QStringLiteral("Post edit"),
                            QStringLiteral("Cancel edit"),   QStringLiteral("Refresh data")};
    for (int i = 0; i < 10; ++i) {
        TNavButton* button = buttons[i];
        QCOMPARE(button->index(), static_cast<TNavigateBtn>(i));
        QCOMPARE(button->objectName(), kButtonNames[i]);
        QCOMPARE(button->hint(), hints[i]);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->isFlat());
        if (i < 9) {
            QVERIFY(button->isVisible());
            QCOMPARE(button->geometry(), QRect(31 * i, 0, 31, 25));
        } else {
            QVERIFY(!button->isVisible());
            QVERIFY(button->x() >= session.navigator->width());
        }
    }
    QVERIFY(session.navigator->confirmDelete());
    QCOMPARE(session.navigator->focusPolicy(), Qt::NoFocus);

    session.click(nbNext);
    QCOMPARE(session.query().recNo(), 1);
    QCOMPARE(QApplication::focusWidget(), session.lineEdit);
}

void TDBNavigatorUiTest::emptyTableAllowsOnlyInsertAndEdit() {
    Session session(0);
    QCOMPARE(session.enabled(), (QList<TNavigateBtn>{nbInsert, nbEdit, nbRefresh}));
    session.click(nbDelete);
    QVERIFY(session.questions.isEmpty());
}

void TDBNavigatorUiTest::movesEnableByBeginningAndEnd_data() {
    QTest::addColumn<QList<TNavigateBtn>>("clicks");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QList<TNavigateBtn>>("enabled");
    const QList<TNavigateBtn> forward{nbNext, nbLast};
    const QList<TNavigateBtn> backward{nbFirst, nbPrior};
    QTest::newRow("opened") << QList<TNavigateBtn>{} << "1" << forward;
    QTest::newRow("prior on the first does nothing")
        << QList<TNavigateBtn>{nbPrior} << "1" << forward;
    QTest::newRow("next onto the last") << QList<TNavigateBtn>{nbNext, nbNext} << "3" << kMoves;
    QTest::newRow("next past the last")
        << QList<TNavigateBtn>{nbNext, nbNext, nbNext} << "3" << backward;
    QTest::newRow("last") << QList<TNavigateBtn>{nbLast} << "3" << backward;
    QTest::newRow("prior onto the first")
        << QList<TNavigateBtn>{nbLast, nbPrior, nbPrior} << "1" << kMoves;
    QTest::newRow("prior past the first")
        << QList<TNavigateBtn>{nbLast, nbPrior, nbPrior, nbPrior} << "1" << forward;
    QTest::newRow("first") << QList<TNavigateBtn>{nbLast, nbPrior, nbFirst} << "1" << forward;
}

void TDBNavigatorUiTest::movesEnableByBeginningAndEnd() {
    QFETCH(QList<TNavigateBtn>, clicks);
    QFETCH(QString, record);
    QFETCH(QList<TNavigateBtn>, enabled);
    Session session(3);
    for (TNavigateBtn index : clicks)
        session.click(index);
    QCOMPARE(session.name(), record);
    QCOMPARE(enabledMoves(session), enabled);
}

void TDBNavigatorUiTest::holdingAButtonRepeatsItsMove() {
    Session session(40);
    const qint64 held = session.hold(nbNext, 1000);
    // The release steps once; the repeats come after 400 ms, then at most
    // one every 100 ms.
    const int moved = session.query().recNo();
    QVERIFY2(moved >= 2, qPrintable(QString::number(moved)));
    QVERIFY2(moved <= 2 + (held - 400) / 100, qPrintable(QString::number(moved)));

    // A press shorter than the delay steps only once.
    session.hold(nbNext, 50);
    QCOMPARE(session.query().recNo(), moved + 1);
    QVERIFY(!session.button(nbNext)->isDown());
}

void TDBNavigatorUiTest::holdingAButtonStopsAtTheEnd_data() {
    QTest::addColumn<TNavigateBtn>("held");
    QTest::addColumn<TNavigateBtn>("start");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QList<TNavigateBtn>>("enabled");
    QTest::newRow("next") << nbNext << nbFirst << "4" << QList<TNavigateBtn>{nbFirst, nbPrior};
    QTest::newRow("prior") << nbPrior << nbLast << "1" << QList<TNavigateBtn>{nbNext, nbLast};
}

void TDBNavigatorUiTest::holdingAButtonStopsAtTheEnd() {
    QFETCH(TNavigateBtn, held);
    QFETCH(TNavigateBtn, start);
    QFETCH(QString, record);
    QFETCH(QList<TNavigateBtn>, enabled);
    Session session(4);
    session.click(start);
    QSignalSpy failures(session.navigator, &TDBNavigator::failed);
    session.hold(held, 1500);
    QCOMPARE(session.name(), record);
    QCOMPARE(enabledMoves(session), enabled);
    QCOMPARE(failures.count(), 0);
}

void TDBNavigatorUiTest::anErrorStopsTheRepeatingAndIsReported() {
    Session session(3);
    // An ID taken by another record cannot be posted, so every move, which
    // posts first, fails.
    session.click(nbEdit);
    session.query().fieldByName(QStringLiteral("ID")).setValue(2);
    QSignalSpy failures(session.navigator, &TDBNavigator::failed);
    session.hold(nbNext, 1000);
    // One from the first repeat, which stops the repeating, one from the release.
    QCOMPARE(failures.count(), 2);
    try {
        std::rethrow_exception(failures.first().first().value<std::exception_ptr>());
    } catch (const store::Error& error) {
        QVERIFY(!error.message().isEmpty());
    }
    QCOMPARE(session.query().state(), store::DataSetState::Edit);
    QCOMPARE(session.query().recNo(), 0);
}

void TDBNavigatorUiTest::deleteAsksFirst_data() {
    QTest::addColumn<bool>("confirmDelete");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("left");
    QTest::newRow("OK deletes") << true << true << 1 << 2;
    QTest::newRow("Cancel keeps") << true << false << 1 << 3;
    QTest::newRow("without asking") << false << false << 0 << 2;
}

void TDBNavigatorUiTest::deleteAsksFirst() {
    QFETCH(bool, confirmDelete);
    QFETCH(bool, answerYes);
    QFETCH(int, asked);
    QFETCH(int, left);
    Session session(3);
    session.navigator->setConfirmDelete(confirmDelete);
    session.answerYes = answerYes;
    session.click(nbNext);
    session.click(nbDelete);
    QCOMPARE(session.questions.size(), asked);
    if (asked > 0)
        QCOMPARE(session.questions.first(), QStringLiteral("Confirm|Delete record?"));
    QCOMPARE(session.query().recordCount(), left);
    QCOMPARE(session.name(), left == 3 ? QStringLiteral("2") : QStringLiteral("3"));
}

void TDBNavigatorUiTest::defaultQuestionIsAConfirmationBox_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("OK") << "OK" << 1;
    QTest::newRow("取消") << "取消" << 2;
    QTest::newRow("Esc") << "Esc" << 2;
}

void TDBNavigatorUiTest::defaultQuestionIsAConfirmationBox() {
    QFETCH(QString, answer);
    QFETCH(int, left);
    Session session(2);
    session.navigator->setConfirmer(nullptr);
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen << box->windowTitle() << box->text();
        for (QAbstractButton* button : box->buttons())
            seen << button->text();
        if (answer == QStringLiteral("Esc")) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == answer)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    session.click(nbDelete);
    QCOMPARE(seen.mid(0, 2),
             (QStringList{QStringLiteral("Confirm"), QStringLiteral("Delete record?")}));
    QStringList buttons = seen.mid(2);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("取消")}));
    QCOMPARE(session.query().recordCount(), left);
}

void TDBNavigatorUiTest::everythingDisabledWithoutAnOpenDataset() {
    Session session(3);
    session.click(nbNext);
    const QList<TNavigateBtn> browsing = session.enabled();
    QCOMPARE(browsing.size(), 8);  // all but post and cancel

    session.source.setDataSet(nullptr);
    QVERIFY(session.enabled().isEmpty());
    session.source.setDataSet(&session.query());
    QCOMPARE(session.enabled(), browsing);

    session.navigator->setEnabled(false);
    QVERIFY(session.enabled().isEmpty());
    session.navigator->setEnabled(true);
    QCOMPARE(session.enabled(), browsing);

    session.query().close();
    QVERIFY(session.enabled().isEmpty());
    session.query().open();
    QCOMPARE(enabledMoves(session), (QList<TNavigateBtn>{nbNext, nbLast}));

    session.navigator->setDataSource(nullptr);
    QVERIFY(session.enabled().isEmpty());
}

void TDBNavigatorUiTest::insertEditPostAndCancel_data() {
    QTest::addColumn<QList<TNavigateBtn>>("clicks");
    QTest::addColumn<bool>("typeName");
    QTest::addColumn<store::DataSetState>("state");
    QTest::addColumn<int>("records");
    QTest::addColumn<QList<TNavigateBtn>>("enabled");
    const QList<TNavigateBtn> browsing{nbInsert, nbEdit};
    const QList<TNavigateBtn> editing{nbInsert, nbPost, nbCancel};
    using S = store::DataSetState;
    QTest::newRow("insert") << QList<TNavigateBtn>{nbInsert} << false << S::Insert << 2 << editing;
    QTest::newRow("insert, post") << QList<TNavigateBtn>{nbInsert, nbPost} << true << S::Browse << 3
                                  << browsing;
    QTest::newRow("insert, cancel")
        << QList<TNavigateBtn>{nbInsert, nbCancel} << true << S::Browse << 2 << browsing;
    QTest::newRow("edit") << QList<TNavigateBtn>{nbEdit} << false << S::Edit << 2 << editing;
    QTest::newRow("edit, post") << QList<TNavigateBtn>{nbEdit, nbPost} << true << S::Browse << 2
                                << browsing;
    QTest::newRow("edit, cancel") << QList<TNavigateBtn>{nbEdit, nbCancel} << true << S::Browse << 2
                                  << browsing;
    QTest::newRow("insert, next posts")
        << QList<TNavigateBtn>{nbInsert, nbNext} << true << S::Browse << 3 << browsing;
}

void TDBNavigatorUiTest::insertEditPostAndCancel() {
    QFETCH(QList<TNavigateBtn>, clicks);
    QFETCH(bool, typeName);
    QFETCH(store::DataSetState, state);
    QFETCH(int, records);
    QFETCH(QList<TNavigateBtn>, enabled);
    Session session(2);
    session.click(clicks.first());
    if (typeName)
        session.query().fieldByName(QStringLiteral("宝贝名称")).setText(QStringLiteral("新"));
    for (TNavigateBtn index : clicks.mid(1))
        session.click(index);
    QCOMPARE(session.query().state(), state);
    QCOMPARE(session.query().recordCount(), records);
    QCOMPARE(editingButtons(session), enabled);

    // What was posted is in the table; what was cancelled is not.
    session.query().requery();
    int named = 0;
    for (session.query().first(); !session.query().eof(); session.query().next())
        named += session.name() == QStringLiteral("新");
    const bool posted = clicks.size() > 1 && clicks.last() != nbCancel;
    QCOMPARE(named, typeName && posted ? 1 : 0);
}

void TDBNavigatorUiTest::failedPostIsReportedAndKeepsTheRecordInserting() {
    Session session(2);
    QSignalSpy failures(session.navigator, &TDBNavigator::failed);
    session.click(nbInsert);
    session.query().fieldByName(QStringLiteral("ID")).setValue(1);
    session.click(nbPost);
    QCOMPARE(failures.count(), 1);
    QCOMPARE(session.query().state(), store::DataSetState::Insert);
    QCOMPARE(editingButtons(session), (QList<TNavigateBtn>{nbInsert, nbPost, nbCancel}));
    session.click(nbCancel);
    QCOMPARE(session.query().recordCount(), 2);
}

QTEST_MAIN(TDBNavigatorUiTest)
#include "TDBNavigatorUiTest.moc"
