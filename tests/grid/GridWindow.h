#pragma once

#include <memory>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "grid/columns/ItemGridColumns.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/GridCellEditor.h"
#include "grid/view/TDBGrid.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

namespace gridtest {

// DBGrid1 as the window configures it, over the item query of a database
// holding `records` records ("item 1", priced 1, linked "link 1", ...), in a
// window beside a button that can take the focus. The grid has the focus;
// keys go to whatever holds it, the grid or its cell editor. Delete
// questions are recorded and answered with `answerOk`; failures are kept.
struct GridWindow {
    explicit GridWindow(int records) {
        grid::installSongTiSubstitution();
        path = createNumberedDatabase(folder, records);
        testsupport::runSql(path, QStringLiteral("UPDATE BabyData SET 宝贝链接 = 'link ' || ID"));
        database.connectFile(path);
        database.openItemQuery();
        source.setDataSet(&query());

        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(button);
        button->setObjectName(QStringLiteral("Button"));
        grid::addItemColumns(grid->columns(), &source);
        grid->setDataSource(&source);
        grid->sumList().setActive(true);
        grid->setConfirmer([this](const QString& caption, const QString& text) {
            questions << caption + u'|' + text;
            return answerOk;
        });
        QObject::connect(grid, &grid::TDBGrid::failed, [this](const std::exception_ptr& e) {
            try {
                std::rethrow_exception(e);
            } catch (const store::Error& error) {
                failures << error.message();
            } catch (const std::exception& error) {
                failures << QString::fromUtf8(error.what());
            }
        });
        new QAbstractItemModelTester(&grid->gridModel(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, grid);
        window.resize(1034, 420);
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
        grid->setFocus();
    }
    ~GridWindow() { grid->setDataSource(nullptr); }

    store::Query& query() { return database.itemQuery; }
    grid::GridCellEditor& editor() const { return grid->cellEditor(); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), key, modifiers);
    }
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClicks(focused(), QString(c));
    }

    int columnIndex(const QString& fieldName) const {
        for (int i = 0; i < grid->columns().count(); ++i) {
            if (grid->columns().at(i).fieldName() == fieldName)
                return i;
        }
        return -1;
    }
    // Makes a cell current as a click on it would.
    void goTo(int row, const QString& fieldName) {
        query().moveTo(row);
        grid->setCurrentColumn(grid->columns().at(columnIndex(fieldName)));
    }
    QString currentField() const {
        return grid->currentColumn() ? grid->currentColumn()->fieldName() : QString();
    }
    QString value(const QString& fieldName) { return query().fieldByName(fieldName).asText(); }
    long long count(const QString& where) const {
        return testsupport::querySingleInt(
            path, QStringLiteral("SELECT COUNT(*) FROM BabyData WHERE ") + where);
    }
    QString idFooter() const { return grid->footerText(0, grid->columns().at(0)); }

    testsupport::TempDir folder;
    QString path;
    store::ItemDatabase database;
    store::DataSource source;
    QWidget window;
    grid::TDBGrid* grid = new grid::TDBGrid(&window);
    QPushButton* button = new QPushButton(QStringLiteral("Button"), &window);
    QStringList questions;
    bool answerOk = true;
    QStringList failures;
};

}  // namespace gridtest
