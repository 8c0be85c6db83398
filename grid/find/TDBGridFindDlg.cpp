#include "grid/find/TDBGridFindDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "grid/columns/TDBGridColumn.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/features/SearchableGrid.h"

namespace grid {

namespace {

constexpr int kClientWidth = 505;
constexpr int kClientHeight = 150;
constexpr int kTreeRowHeight = 26;

QComboBox* dropDownList(QWidget* parent, const QString& name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

QLabel* labelFor(QWidget* buddy, const QString& caption) {
    auto* label = new QLabel(caption, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TDBGridFindDlg& TDBGridFindDlg::instance() {
    static QPointer<TDBGridFindDlg> dialog;
    if (!dialog) {
        dialog = new TDBGridFindDlg;
        qAddPostRoutine([] { delete dialog.data(); });
    }
    return *dialog;
}

TDBGridFindDlg::TDBGridFindDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_text(new QComboBox(this)),
      m_findIn(dropDownList(this, QStringLiteral("cbFindIn"), {})),
      m_matching(
          dropDownList(this, QStringLiteral("cbMatchinType"),
                       {QStringLiteral("From any part of field"), QStringLiteral("Whole field"),
                        QStringLiteral("From beging of field")})),
      m_direction(
          dropDownList(this, QStringLiteral("cbFindDirection"),
                       {QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("All")})),
      m_charCase(new QCheckBox(QStringLiteral("Match &Case"), this)),
      m_useFormat(new QCheckBox(QStringLiteral("Match F&ormat"), this)),
      m_find(new QPushButton(QStringLiteral("&Find next"), this)),
      m_cancel(new QPushButton(QStringLiteral("Close"), this)),
      m_treeLabel(nullptr),
      m_treeRange(
          dropDownList(this, QStringLiteral("dbcTreeFindRange"),
                       {QStringLiteral("In all nodes"), QStringLiteral("In expanded nodes"),
                        QStringLiteral("In current level"), QStringLiteral("In current node")})) {
    setObjectName(QStringLiteral("TDBGridFindDlg"));
    setWindowTitle(QStringLiteral("Find text"));

    m_text->setObjectName(QStringLiteral("cbText"));
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    // The text searched is the text typed, never one completed from the history.
    m_text->setCompleter(nullptr);
    m_text->setMaxVisibleItems(17);
    m_text->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_findIn->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_direction->setCurrentIndex(2);
    m_charCase->setObjectName(QStringLiteral("cbCharCase"));
    m_useFormat->setObjectName(QStringLiteral("cbUseFormat"));
    m_useFormat->setChecked(true);
    m_find->setObjectName(QStringLiteral("bFind"));
    m_find->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("bCancel"));

    // Two rows of two boxes under two full rows, the buttons at the right,
    // the tree row at the bottom.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(labelFor(m_text, QStringLiteral("Fi&nd What:")), 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 3);
    grid->addWidget(labelFor(m_findIn, QStringLiteral("Find &in:")), 1, 0);
    grid->addWidget(m_findIn, 1, 1, 1, 3);
    grid->addWidget(labelFor(m_matching, QStringLiteral("Matc&h:")), 2, 0);
    grid->addWidget(m_matching, 2, 1);
    grid->addWidget(labelFor(m_direction, QStringLiteral("Sea&rch:")), 2, 2);
    grid->addWidget(m_direction, 2, 3);
    grid->addWidget(m_charCase, 3, 1);
    grid->addWidget(m_useFormat, 3, 3);
    grid->addWidget(m_find, 0, 4);
    grid->addWidget(m_cancel, 1, 4);
    m_treeLabel = labelFor(m_treeRange, QStringLiteral("Find in Tree:"));
    grid->addWidget(m_treeLabel, 4, 0);
    grid->addWidget(m_treeRange, 4, 1, 1, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(5, 1);

    setTabOrder(m_text, m_findIn);
    setTabOrder(m_findIn, m_matching);
    setTabOrder(m_matching, m_direction);
    setTabOrder(m_direction, m_charCase);
    setTabOrder(m_charCase, m_useFormat);
    setTabOrder(m_useFormat, m_find);
    setTabOrder(m_find, m_cancel);
    setTabOrder(m_cancel, m_treeRange);

    connect(m_find, &QPushButton::clicked, this, &TDBGridFindDlg::bFindClick);
    connect(m_cancel, &QPushButton::clicked, this, &TDBGridFindDlg::bCancelClick);
    const auto restart = [this] { m_firstSearch = true; };
    connect(m_text, &QComboBox::editTextChanged, this, restart);
    connect(m_findIn, &QComboBox::currentIndexChanged, this, restart);
    connect(m_direction, &QComboBox::currentIndexChanged, this, restart);
    connect(m_treeRange, &QComboBox::currentIndexChanged, this, restart);

    // The dialog sees Enter and Esc before its controls.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    setTreeRowShown(false);
}

void TDBGridFindDlg::setTreeRowShown(bool shown) {
    m_treeLabel->setVisible(shown);
    m_treeRange->setVisible(shown);
    setFixedSize(kClientWidth, shown ? kClientHeight : kClientHeight - kTreeRowHeight);
}

void TDBGridFindDlg::showForGrid(SearchableGrid& grid, const QString& text, bool modal) {
    m_grid = &grid;
    m_gridAlive = dynamic_cast<QObject*>(&grid);
    // The store's datasets hold no tree of records.
    setTreeRowShown(false);
    m_text->setEditText(text);
    fillFindIn();
    m_firstSearch = true;
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (modal) {
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        exec();
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
    }
}

// One item per visible column in display order, then "<All>"; the current
// column's caption chooses the item, "<All>" when no item bears it.
void TDBGridFindDlg::fillFindIn() {
    const QSignalBlocker blocker(m_findIn);
    m_findIn->clear();
    m_findInColumns.clear();
    const TDBGridColumns& columns = m_grid->columns();
    for (int i = 0; i < columns.count(); ++i) {
        TDBGridColumn& column = columns.at(i);
        if (!column.visible())
            continue;
        m_findIn->addItem(column.displayCaption());
        m_findInColumns.push_back(&column);
    }
    m_findIn->addItem(QStringLiteral("<All>"));
    m_findInColumns.push_back(nullptr);
    const TDBGridColumn* current = m_grid->currentColumn();
    const int index =
        current ? m_findIn->findText(current->displayCaption(), Qt::MatchExactly) : -1;
    m_findIn->setCurrentIndex(index >= 0 ? index : m_findIn->count() - 1);
}

SearchableGrid* TDBGridFindDlg::grid() const {
    return m_gridAlive ? m_grid : nullptr;
}

LocateTextRequest TDBGridFindDlg::request(bool reversed) const {
    LocateTextRequest request;
    request.text = m_text->currentText();
    const int findIn = m_findIn->currentIndex();
    const TDBGridColumn* column =
        findIn >= 0 ? m_findInColumns[static_cast<std::size_t>(findIn)] : nullptr;
    if (column)
        request.fieldName = column->fieldName();
    if (!m_charCase->isChecked())
        request.options |= LocateOption::CaseInsensitive;
    if (m_useFormat->isChecked())
        request.options |= LocateOption::MatchFormat;
    if (findIn >= 0 && !column)
        request.options |= LocateOption::AllFields;

    const LocateDirection chosen[] = {LocateDirection::Up, LocateDirection::Down,
                                      LocateDirection::All};
    LocateDirection direction = chosen[std::max(0, m_direction->currentIndex())];
    if (reversed)
        direction = direction == LocateDirection::Up ? LocateDirection::Down : LocateDirection::Up;
    // Only the first search of an "All" search starts at the first record;
    // later ones go on downwards from the cell found.
    if (!m_firstSearch && direction == LocateDirection::All)
        direction = LocateDirection::Down;
    request.direction = direction;

    const LocateMatching matchings[] = {LocateMatching::AnyPart, LocateMatching::WholeField,
                                        LocateMatching::FromBeginning};
    request.matching = matchings[std::max(0, m_matching->currentIndex())];
    request.treeRange = static_cast<LocateTreeRange>(std::max(0, m_treeRange->currentIndex()));
    return request;
}

void TDBGridFindDlg::bFindClick() {
    findNext(QApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
}

void TDBGridFindDlg::findNext(bool reversed) {
    const QString text = m_text->currentText();
    if (m_text->findText(text, Qt::MatchFixedString) < 0) {
        const QSignalBlocker blocker(m_text);
        m_text->addItem(text);
        m_text->setEditText(text);
    }
    SearchableGrid* served = grid();
    if (!served || !served->dataSet())
        return;
    try {
        if (served->locateText(request(reversed)))
            m_firstSearch = false;
    } catch (...) {
        served->reportFailure(std::current_exception());
    }
}

void TDBGridFindDlg::bCancelClick() {
    reject();
}

bool TDBGridFindDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    if (!enter && !escape)
        return QDialog::eventFilter(watched, event);
    // An open drop-down list, a window of its own, keeps the key for itself.
    if (const auto* widget = qobject_cast<QWidget*>(watched); !widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    if (enter)
        findNext(key->modifiers().testFlag(Qt::ControlModifier));
    else
        bCancelClick();
    m_text->lineEdit()->setModified(false);
    return true;
}

}  // namespace grid
