#include "app/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ApplicationOwned.h"
#include "app/CommandPanel.h"
#include "app/ErrorReport.h"
#include "app/TForm2.h"
#include "app/TForm3.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/look/SongTiFont.h"
#include "grid/navigator/TDBNavigator.h"
#include "grid/sumlist/TDBGridSumList.h"
#include "grid/view/TDBGrid.h"
#include "itemfile/ItemFileExport.h"
#include "itemfile/ItemFileImport.h"
#include "store/AppendDatabase.h"
#include "store/Error.h"
#include "store/TableCommands.h"
#include "template/TemplateAssignment.h"

namespace app {
namespace {

QString settingsDialogName() {
    return QStringLiteral("Form3");
}

// Gives the item query back to the grid however a long command ends.
class ReattachOnExit {
public:
    ReattachOnExit(store::DataSource& source, store::Query& query)
        : m_source(source), m_query(query) {}
    ~ReattachOnExit() { m_source.setDataSet(&m_query); }
    ReattachOnExit(const ReattachOnExit&) = delete;
    ReattachOnExit& operator=(const ReattachOnExit&) = delete;

private:
    store::DataSource& m_source;
    store::Query& m_query;
};

// The save dialog's file-type entries in the form "caption (pattern)".
QStringList exportFileTypes() {
    QStringList fileTypes;
    for (const itemfile::ExportFilterEntry& entry : itemfile::exportFilterEntries()) {
        // "*.*" would pass over files without an extension here.
        const QString pattern =
            entry.pattern == QStringLiteral("*.*") ? QStringLiteral("*") : entry.pattern;
        fileTypes.append(entry.caption + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return fileTypes;
}

}  // namespace

TForm1::TForm1() : TForm1(Setup()) {}

TForm1::TForm1(const Setup& setup)
    : m_dialogs(this, setup.dialogScript),
      m_executableFolder(setup.executableFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                          : setup.executableFolder),
      m_gridPanel(new QFrame(this)),
      m_grid(new grid::TDBGrid(m_gridPanel)),
      m_commandPanel(new CommandPanel(this)),
      m_navigator(new grid::TDBNavigator(m_commandPanel)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ItemDesk 宝贝数据管理"));
    setFont(grid::songTiFont(16));
    move(393, 138);
    resize(1034, 498);

    m_dataSource.setDataSet(&m_database.itemQuery);

    m_gridPanel->setObjectName(QStringLiteral("GridPanel"));
    m_gridPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setUpGrid();
    setUpNavigator();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_gridPanel, 1);
    layout->addWidget(m_commandPanel);

    wire(QStringLiteral("Button1"), &TForm1::Button1Click);
    wire(QStringLiteral("Button2"), &TForm1::Button2Click);
    wire(QStringLiteral("Button3"), &TForm1::Button3Click);
    wire(QStringLiteral("Button4"), &TForm1::Button4Click);
    wire(QStringLiteral("Button5"), &TForm1::Button5Click);
    wire(QStringLiteral("Button6"), &TForm1::Button6Click);
    wire(QStringLiteral("Button7"), &TForm1::Button7Click);
    wire(QStringLiteral("Button8"), &TForm1::Button8Click);
    wire(QStringLiteral("Button11"), &TForm1::Button11Click);
    wire(QStringLiteral("Button12"), &TForm1::Button12Click);
    wire(QStringLiteral("Button17"), &TForm1::Button17Click);

    setTabOrder(m_grid, button(QStringLiteral("Button12")));
    m_grid->setFocus();
    TForm2::setMainWindow(this);

    run(&TForm1::FormCreate);
}

// The grid and the navigator go before the data source and the queries
// that they show.
TForm1::~TForm1() {
    delete m_gridPanel;
    delete m_navigator;
}

void TForm1::setUpGrid() {
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    grid::addItemColumns(m_grid->columns(), &m_dataSource);
    m_grid->setTitleFont(grid::songTiFont(16));
    m_grid->setFooterFont(grid::songTiFont(16));
    m_grid->setFooterColor(palette().color(QPalette::Window));
    m_grid->setDataSource(&m_dataSource);
    m_grid->sumList().setActive(true);
    m_grid->setConfirmer([this](const QString& caption, const QString& text) {
        return m_dialogs.confirm(caption, text);
    });
    connect(m_grid, &grid::TDBGrid::failed, this,
            [this](const std::exception_ptr& failure) { report(failure); });

    auto* layout = new QVBoxLayout(m_gridPanel);
    const int frame = m_gridPanel->frameWidth();
    layout->setContentsMargins(frame, frame, frame, frame);
    layout->addWidget(m_grid);
}

void TForm1::setUpNavigator() {
    m_navigator->setObjectName(QStringLiteral("DBNavigator1"));
    m_navigator->setVisibleButtons({grid::nbFirst, grid::nbPrior, grid::nbNext, grid::nbLast,
                                    grid::nbInsert, grid::nbDelete, grid::nbEdit, grid::nbPost,
                                    grid::nbCancel});
    m_navigator->setGeometry(7, 10, 279, 25);
    m_navigator->setConfirmer([this](const QString& caption, const QString& text) {
        return m_dialogs.confirm(caption, text);
    });
    m_navigator->setDataSource(&m_dataSource);
    connect(m_navigator, &grid::TDBNavigator::failed, this,
            [this](const std::exception_ptr& failure) { report(failure); });
}

QPushButton* TForm1::button(const QString& name) const {
    return m_commandPanel->button(name);
}

void TForm1::wire(const QString& buttonName, Handler handler) {
    connect(button(buttonName), &QPushButton::clicked, this, [this, handler] { run(handler); });
}

void TForm1::run(Handler handler) {
    try {
        (this->*handler)();
    } catch (const std::exception&) {
        report(std::current_exception());
    }
}

void TForm1::report(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        m_dialogs.showError(failureMessage(error));
    }
}

void TForm1::enable(std::initializer_list<const char*> buttonNames) {
    for (const char* name : buttonNames) {
        button(QLatin1String(name))->setEnabled(true);
    }
}

void TForm1::FormCreate() {
    m_importColumnCount = itemfile::kDefaultImportColumnCount;
    const QString defaultDatabase = m_executableFolder + QStringLiteral("/Data.mdb");
    if (QFileInfo(defaultDatabase).isFile()) {
        ConnectDatabase(defaultDatabase);
    }
}

void TForm1::FormClose() {
    m_database.closeAll();
}

void TForm1::ConnectDatabase(const QString& path) {
    m_database.connectFile(path);
    enable({"Button5", "Button4"});
    Button4Click();
}

void TForm1::Button4Click() {
    m_database.openItemQuery();
    SyncGridColumns();
    if (m_database.itemQuery.isActive()) {
        // Button17, the append button, is enabled too; it stays hidden.
        enable({"Button1", "Button2", "Button11", "Button17", "Button8"});
    }
}

void TForm1::SyncGridColumns() {
    const store::Query& itemQuery = m_database.itemQuery;
    for (int i = 0; i < itemQuery.fieldCount(); ++i) {
        const QString& name = itemQuery.field(i).name();
        if (m_grid->columns().columnShowingField(name) == nullptr) {
            m_grid->addColumn(name, 80, grid::taCenter);
        }
    }
}

void TForm1::recalculateFooter() {
    m_grid->sumList().recalculateAll();
}

void TForm1::Button1Click() {
    const QString path = m_dialogs.openFileName();
    if (path.isEmpty()) {
        return;
    }
    const ReattachOnExit reattach(m_dataSource, m_database.itemQuery);
    m_dataSource.setDataSet(nullptr);
    itemfile::importItemFile(path, m_database.itemQuery, m_importColumnCount, TForm2::get(),
                             [this] { m_dialogs.showMessage(QStringLiteral("导入成功")); });
}

void TForm1::Button2Click() {
    const Dialogs::SaveChoice choice = m_dialogs.saveFileName(exportFileTypes());
    if (choice.fileName.isEmpty()) {
        return;
    }
    const QString path = itemfile::exportFileName(choice.fileName);
    m_dialogs.setSaveFileName(path);
    itemfile::ExistingFile existing = itemfile::ExistingFile::Create;
    if (QFileInfo::exists(path)) {
        switch (m_dialogs.askYesNoCancel(windowTitle(), itemfile::existingFileQuestion())) {
            case QMessageBox::Yes:
                existing = itemfile::ExistingFile::Overwrite;
                break;
            case QMessageBox::No:
                existing = itemfile::ExistingFile::Append;
                break;
            default:
                return;
        }
    }
    const ReattachOnExit reattach(m_dataSource, m_database.itemQuery);
    itemfile::ExportHooks hooks;
    hooks.beforeWriting = [this] { m_dataSource.setDataSet(nullptr); };
    hooks.reportSuccess = [this](const QString& message) { m_dialogs.showMessage(message); };
    itemfile::exportItemFile(path, itemfile::exportVariantOfEntry(choice.entry), existing,
                             m_database.itemQuery, TForm2::get(), hooks);
}

void TForm1::Button3Click() {
    close();
}

void TForm1::Button5Click() {
    if (m_database.itemQuery.isActive()) {
        m_database.itemQuery.requery();
    }
    recalculateFooter();
}

void TForm1::Button6Click() {
    const ReattachOnExit reattach(m_dataSource, m_database.itemQuery);
    m_dataSource.setDataSet(nullptr);
    TForm2& progress = TForm2::get();
    const store::CloseProgressOnExit closeProgress(progress);
    postage::assignPostageTemplates(m_database.itemQuery, progress, [this] {
        m_dialogs.showMessage(QStringLiteral("已成功生成模板"));
    });
}

void TForm1::Button7Click() {
    TForm3* settings = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == settingsDialogName()) {
            settings = qobject_cast<TForm3*>(window);
            break;
        }
    }
    if (settings == nullptr) {
        settings = new TForm3;
        ownByApplication(settings);
    }
    settings->setColumnCountText(QString::number(m_importColumnCount));
    if (settings->exec() != QDialog::Accepted) {
        return;
    }
    const QString text = settings->columnCountText();
    bool isInteger = false;
    const int count = text.trimmed().toInt(&isInteger);
    if (!isInteger) {
        throw store::Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
    m_importColumnCount = count;
}

void TForm1::Button8Click() {
    store::removeDuplicates(m_database);
    recalculateFooter();
    m_dialogs.showMessage(QStringLiteral("操作成功，已将重复记录删除"));
}

void TForm1::Button11Click() {
    store::clearAll(m_database);
    recalculateFooter();
}

void TForm1::Button12Click() {
    const QString path = m_dialogs.openFileName();
    if (!path.isEmpty()) {
        ConnectDatabase(path);
    }
}

void TForm1::Button17Click() {
    const QString path = m_dialogs.openFileName();
    if (path.isEmpty()) {
        return;
    }
    const ReattachOnExit reattach(m_dataSource, m_database.itemQuery);
    m_dataSource.setDataSet(nullptr);
    TForm2& progress = TForm2::get();
    const store::CloseProgressOnExit closeProgress(progress);
    store::AppendHooks hooks;
    // The item query has no field for an added column, so its grid column stays empty.
    hooks.columnAdded = [this](const QString& fieldName) {
        m_grid->addColumn(fieldName, 80, grid::taCenter);
    };
    // Re-attaching the grid recounts the footer.
    hooks.reportSuccess = [this] { m_dialogs.showMessage(QStringLiteral("文件追加成功")); };
    store::appendItemDatabase(m_database, path, progress, hooks);
}

void TForm1::closeEvent(QCloseEvent* event) {
    run(&TForm1::FormClose);
    event->accept();
}

}  // namespace app
