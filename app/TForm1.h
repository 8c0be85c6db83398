#pragma once

#include <exception>

#include <QWidget>

#include "app/Dialogs.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"

namespace grid {
class TDBGrid;
class TDBNavigator;
}  // namespace grid

class QFrame;
class QPushButton;

namespace app {

class CommandPanel;
class DialogScript;

// The main window: the item grid above, the command panel below. It owns the
// engine objects and wires each command button to its handler; the handlers
// leave the table work to the store. A failure escaping a handler is shown by
// the default error report.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    struct Setup {
        // Where Data.mdb is looked for at start; empty: the executable's folder.
        QString executableFolder;
        // Answers message boxes and file dialogs instead of the user.
        DialogScript* dialogScript = nullptr;
    };

    // Both run FormCreate before returning.
    TForm1();
    explicit TForm1(const Setup& setup);
    ~TForm1() override;

    store::ItemDatabase& database() { return m_database; }
    store::DataSource& dataSource() { return m_dataSource; }
    Dialogs& dialogs() { return m_dialogs; }
    QPushButton* button(const QString& name) const;
    grid::TDBGrid& grid() const { return *m_grid; }
    grid::TDBNavigator& navigator() const { return *m_navigator; }
    int importColumnCount() const { return m_importColumnCount; }

    void FormCreate();
    void FormClose();
    void ConnectDatabase(const QString& path);
    void SyncGridColumns();
    // Brings the grid footer's record count up to date.
    void recalculateFooter();

    void Button1Click();   // import
    void Button2Click();   // export
    void Button3Click();   // exit
    void Button4Click();   // open database
    void Button5Click();   // refresh
    void Button6Click();   // postage template ids (hidden)
    void Button7Click();   // settings
    void Button8Click();   // remove duplicates
    void Button11Click();  // clear all
    void Button12Click();  // associate data file
    void Button17Click();  // append another item database (hidden)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Handler = void (TForm1::*)();

    void wire(const QString& buttonName, Handler handler);
    // Runs a handler; a failure that escapes it goes to the default error report.
    void run(Handler handler);
    void enable(std::initializer_list<const char*> buttonNames);
    void report(const std::exception_ptr& failure);
    void setUpGrid();
    void setUpNavigator();

    store::ItemDatabase m_database;
    store::DataSource m_dataSource;
    Dialogs m_dialogs;
    QString m_executableFolder;
    int m_importColumnCount = 0;
    QFrame* m_gridPanel;
    grid::TDBGrid* m_grid;
    CommandPanel* m_commandPanel;
    grid::TDBNavigator* m_navigator;
};

}  // namespace app
