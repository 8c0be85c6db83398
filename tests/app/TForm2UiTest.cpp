#include <chrono>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "app/TForm2.h"
#include "grid/look/SongTiFont.h"
#include "tests/app/MainWindowOnData.h"
#include "tests/support/ItemFileBuilder.h"

using app::TForm2;

namespace {

// Runs one long command's progress as the commands do: position 0, a
// maximum, show, then per record a step and the counts.
void runCommand(TForm2& progress, int records) {
    progress.setPosition(0);
    progress.setMaximum(records);
    progress.show();
    for (int i = 0; i < records; ++i) {
        progress.step();
        progress.showCounts();
    }
}

QLabel* countsLine(TForm2& progress) {
    return progress.findChild<QLabel*>(QStringLiteral("StaticText1"));
}

// Counts the paint events that a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

}  // namespace

class TForm2UiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }

    // Runs first: the window is created on first use.
    void createdOnFirstUseAsLaidOut();
    void aCommandOf57RecordsEndsAt57Of57();
    void theNextCommandStartsAgainFromZero();
    void repaintsWhileTheCommandKeepsTheThreadBusy();
    void theUserCannotCloseIt();
    void positionStaysWithinTheBar();
    void anImportRedrawsTheCountsAtIntervalsAndEndsWithItsLast();
};

void TForm2UiTest::createdOnFirstUseAsLaidOut() {
    TForm2& progress = TForm2::get();
    QCOMPARE(&TForm2::get(), &progress);
    QVERIFY(!progress.isVisible());
    QVERIFY(!(progress.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                        Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
    QCOMPARE(progress.frameGeometry(), QRect(284, 293, 711, 136));
    QCOMPARE(progress.position(), 0);
    QCOMPARE(progress.maximum(), 100);
    QCOMPARE(countsLine(progress)->text(), QStringLiteral("当前/总数"));
}

void TForm2UiTest::aCommandOf57RecordsEndsAt57Of57() {
    TForm2& progress = TForm2::get();
    runCommand(progress, 57);
    QVERIFY(progress.isVisible());
    QCOMPARE(progress.position(), 57);
    QCOMPARE(progress.maximum(), 57);
    QCOMPARE(countsLine(progress)->text(), QStringLiteral("当前/总数：57/57"));
    QCOMPARE(progress.findChild<QProgressBar*>()->value(), 57);
    progress.close();
    QVERIFY(!progress.isVisible());
}

void TForm2UiTest::theNextCommandStartsAgainFromZero() {
    TForm2& progress = TForm2::get();
    runCommand(progress, 57);
    progress.close();

    progress.setPosition(0);
    progress.setMaximum(1000);
    progress.show();
    QCOMPARE(progress.position(), 0);
    for (int i = 0; i < 3; ++i) {
        progress.step();
    }
    progress.showCounts();
    QCOMPARE(countsLine(progress)->text(), QStringLiteral("当前/总数：3/1000"));
    // The line grows with its text and stays inside the window.
    progress.setMaximum(2000);
    progress.setPosition(1000);
    progress.showCounts();
    QLabel* counts = countsLine(progress);
    QCOMPARE(counts->width(), counts->sizeHint().width());
    QVERIFY(counts->geometry().right() < progress.width());
    progress.close();
}

void TForm2UiTest::repaintsWhileTheCommandKeepsTheThreadBusy() {
    TForm2& progress = TForm2::get();
    progress.setPosition(0);
    progress.setMaximum(5);
    progress.show();
    PaintCounter paints(countsLine(progress));
    // No return to the event loop in between, as in a long command.
    for (int i = 0; i < 5; ++i) {
        QTest::qSleep(60);
        progress.step();
        progress.showCounts();
    }
    QVERIFY2(paints.count >= 4, qPrintable(QString::number(paints.count)));
    progress.close();
}

void TForm2UiTest::theUserCannotCloseIt() {
    TForm2& progress = TForm2::get();
    progress.show();
    QVERIFY(QTest::qWaitForWindowExposed(&progress));
    QCloseEvent closeRequest;
    QApplication::sendEvent(progress.windowHandle(), &closeRequest);
    QVERIFY(progress.isVisible());
    progress.close();
    QVERIFY(!progress.isVisible());
}

void TForm2UiTest::positionStaysWithinTheBar() {
    TForm2& progress = TForm2::get();
    progress.setMaximum(57);
    progress.setPosition(80);
    QCOMPARE(progress.position(), 57);
    progress.setMaximum(10);
    QCOMPARE(progress.position(), 10);
    progress.setPosition(-3);
    QCOMPARE(progress.position(), 0);
    // An empty command shows an empty bar, not a busy indicator.
    progress.setMaximum(0);
    progress.showCounts();
    QCOMPARE(countsLine(progress)->text(), QStringLiteral("当前/总数：0/0"));
    QVERIFY(progress.findChild<QProgressBar*>()->maximum() > 0);
}

// A real import through the main window, on a clock that advances 1 ms each
// time the window reads it, about once a record. The clock also notes each
// change of the text line: at most one per 50 ms, besides the first counts
// and the two raised maximums, instead of one per record.
void TForm2UiTest::anImportRedrawsTheCountsAtIntervalsAndEndsWithItsLast() {
    using std::chrono::steady_clock;
    constexpr int kRecords = 2500;
    MainWindowOnData session(QStringLiteral("DELETE FROM BabyData"));
    const QString itemFile = session.folder.path(QStringLiteral("items.csv"));
    testsupport::ItemFileBuilder items;
    items.header();
    for (int i = 0; i < kRecords; ++i) {
        items.record(QStringList(40, QString::number(i)));
    }
    items.writeTo(itemFile);

    TForm2& progress = TForm2::get();
    const QLabel* line = countsLine(progress);
    QString seen = line->text();
    int changes = 0;
    steady_clock::time_point now;
    progress.setClock([&] {
        if (line->text() != seen) {
            seen = line->text();
            ++changes;
        }
        now += std::chrono::milliseconds(1);
        return now;
    });
    session.script.queueFileName(itemFile);
    QTest::mouseClick(session.form->button(QStringLiteral("Button1")), Qt::LeftButton);
    progress.setClock(&steady_clock::now);

    QCOMPARE(session.script.shown().back().text, QStringLiteral("导入成功"));
    QCOMPARE(testsupport::querySingleInt(session.dataMdb,
                                         QStringLiteral("SELECT COUNT(*) FROM BabyData")),
             kRecords);
    QCOMPARE(progress.countsText(), QStringLiteral("当前/总数：2500/3000"));
    QVERIFY2(changes >= kRecords / 50 && changes <= kRecords / 50 + 4,
             qPrintable(QString::number(changes)));
}

QTEST_MAIN(TForm2UiTest)
#include "TForm2UiTest.moc"
