#include <functional>
#include <memory>

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "app/TForm3.h"
#include "app/TNEdit.h"
#include "grid/look/SongTiFont.h"
#include "tests/support/TempDir.h"

using app::DialogScript;
using app::TForm1;
using app::TForm3;

namespace {

// What the test saw in the settings dialog while it was open.
struct Seen {
    QString initialText;
    bool openAfterKeys = false;
};

using DialogAction = std::function<void(TForm3&, Seen&)>;

// Runs the settings command; `act` works the modal dialog as the user would.
Seen runSettings(TForm1& form, const DialogAction& act) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        seen.initialText = dialog->columnCountText();
        act(*dialog, seen);
        // Whatever happened above, the dialog must not stay open.
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    form.button(QStringLiteral("Button7"))->click();
    return seen;
}

void type(TForm3& dialog, const QString& text) {
    auto* field = dialog.findChild<app::TNEdit*>(QStringLiteral("NEdit1"));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

void click(TForm3& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

}  // namespace

class TForm3UiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }
    void init() {
        m_script = std::make_unique<DialogScript>();
        m_form = std::make_unique<TForm1>(TForm1::Setup{m_folder.path(QString()), m_script.get()});
    }

    void laidOut();
    void settingsCommand_data();
    void settingsCommand();
    void neitherEnterNorEscCloseIt();
    void oneDialogServesEveryUse();

private:
    testsupport::TempDir m_folder;
    std::unique_ptr<DialogScript> m_script;
    std::unique_ptr<TForm1> m_form;
};

void TForm3UiTest::laidOut() {
    TForm3 dialog;
    QCOMPARE(dialog.frameGeometry(), QRect(377, 273, 406, 174));
    auto* field = dialog.findChild<app::TNEdit*>(QStringLiteral("NEdit1"));
    QCOMPARE(field->minimum(), 1.0);
    QCOMPARE(field->maximum(), 200.0);
    QCOMPARE(dialog.nextInFocusChain(), field);
    // Both red lines of the hint show whole, above the field.
    auto* hint = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(hint->height() >= std::max(30, hint->sizeHint().height()));
    QVERIFY(hint->geometry().bottom() < field->y());
}

void TForm3UiTest::settingsCommand_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirmed");  // 确定, else 取消
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("error");
    QTest::newRow("OK with 39") << QStringLiteral("39") << true << 39 << QString();
    QTest::newRow("OK with 200") << QStringLiteral("200") << true << 200 << QString();
    QTest::newRow("Cancel") << QStringLiteral("39") << false << 40 << QString();
    QTest::newRow("OK with a fraction") << QStringLiteral("39.5") << true << 40
                                        << QStringLiteral("'39.5' is not a valid integer value.");
}

void TForm3UiTest::settingsCommand() {
    QFETCH(QString, typed);
    QFETCH(bool, confirmed);
    QFETCH(int, count);
    QFETCH(QString, error);
    const Seen seen = runSettings(*m_form, [&](TForm3& dialog, Seen&) {
        type(dialog, typed);
        click(dialog, confirmed ? "Button1" : "Button2");
    });
    QCOMPARE(seen.initialText, QStringLiteral("40"));
    QCOMPARE(m_form->importColumnCount(), count);
    if (error.isEmpty()) {
        QVERIFY(m_script->shown().empty());
    } else {
        QCOMPARE(m_script->shown().size(), std::size_t{1});
        QCOMPARE(m_script->shown().front().text, error);
        QCOMPARE(m_script->shown().front().icon, QMessageBox::Critical);
    }

    // The next use shows the value in force.
    const Seen again =
        runSettings(*m_form, [](TForm3& dialog, Seen&) { click(dialog, "Button2"); });
    QCOMPARE(again.initialText, QString::number(count));
}

void TForm3UiTest::neitherEnterNorEscCloseIt() {
    const Seen seen = runSettings(*m_form, [](TForm3& dialog, Seen& seen) {
        type(dialog, QStringLiteral("12"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(dialog.findChild<app::TNEdit*>(), Qt::Key_Return);
        QTest::keyClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::Key_Enter);
        seen.openAfterKeys = dialog.isVisible();
        // The title bar's close box counts as Cancel.
        QCloseEvent closeBox;
        QApplication::sendEvent(dialog.windowHandle(), &closeBox);
    });
    QVERIFY(seen.openAfterKeys);
    QCOMPARE(m_form->importColumnCount(), 40);
}

void TForm3UiTest::oneDialogServesEveryUse() {
    auto cancel = [](TForm3& dialog, Seen&) { click(dialog, "Button2"); };
    runSettings(*m_form, cancel);
    runSettings(*m_form, cancel);
    int dialogs = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        dialogs += window->objectName() == QStringLiteral("Form3") ? 1 : 0;
    }
    QCOMPARE(dialogs, 1);
}

QTEST_MAIN(TForm3UiTest)
#include "TForm3UiTest.moc"
