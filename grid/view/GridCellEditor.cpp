#include "grid/view/GridCellEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "grid/model/CellEditRules.h"
#include "grid/model/GridDataModel.h"
#include "grid/view/TDBGrid.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

namespace {

constexpr int kUnlimitedLength = 32767;

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool changesText(const QKeyEvent& event) {
    if (GridCellEditor::typesText(event) || event.key() == Qt::Key_Backspace ||
        event.key() == Qt::Key_Delete)
        return true;
    for (const QKeySequence::StandardKey key :
         {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (event.matches(key))
            return true;
    }
    return false;
}

}  // namespace

GridCellEditor::GridCellEditor(TDBGrid& grid) : QLineEdit(grid.viewport()), m_grid(grid) {
    setObjectName(QStringLiteral("CellEditor"));
    setFrame(false);
    // The grid has no edit actions: no menu, and nothing dropped in.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    hide();

    GridDataModel& model = grid.gridModel();
    connect(&model, &GridDataModel::cursorMoved, this, &GridCellEditor::currentCellChanged);
    connect(&model, &GridDataModel::dataSetEditingChanged, this, &GridCellEditor::editingChanged);
    connect(&model, &GridDataModel::dataSetActiveChanged, this, &GridCellEditor::close);
    connect(&model, &GridDataModel::updateDataRequested, this, &GridCellEditor::writeToField);
    connect(&model, &GridDataModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                recordChanged(topLeft.row(), bottomRight.row());
            });
    connect(grid.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridCellEditor::currentCellChanged);
    for (QScrollBar* bar : {grid.horizontalScrollBar(), grid.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &GridCellEditor::placeOverCell);
    for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
        connect(header, &QHeaderView::sectionResized, this, &GridCellEditor::placeOverCell);
        connect(header, &QHeaderView::sectionMoved, this, &GridCellEditor::placeOverCell);
    }
}

bool GridCellEditor::typesText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && (text.front().isPrint() || text.front().isSurrogate()) &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void GridCellEditor::open(Caret caret) {
    if (!m_open) {
        if (!m_grid.editRules().canShowEditor() || !m_grid.currentIndex().isValid())
            return;
        const bool focused = m_grid.hasFocus();
        m_open = true;
        reload();
        show();
        m_grid.setFocusProxy(this);
        if (focused)
            setFocus();
    }
    if (caret == Caret::SelectAll)
        selectAll();
    else
        end(false);
}

void GridCellEditor::close() {
    if (!m_open)
        return;
    m_open = false;
    m_editModified = false;
    m_column = nullptr;
    const bool focused = hasFocus();
    m_grid.setFocusProxy(nullptr);
    if (focused)
        m_grid.setFocus();
    hide();
}

bool GridCellEditor::beginChange() {
    store::Query* dataSet = m_grid.dataSet();
    const TDBGridColumn* column = m_grid.currentColumn();
    if (!column || !m_grid.editRules().canModifyCell(*column, dataSet))
        return false;
    // Set first: the dataset going into editing must not reload the text
    // that is about to change.
    const bool wasModified = m_editModified;
    m_editModified = true;
    try {
        if (dataSet->state() == store::DataSetState::Browse)
            dataSet->edit();
    } catch (...) {
        m_editModified = wasModified;
        emit m_grid.failed(std::current_exception());
        return false;
    }
    if (!dataSet->isEditing()) {
        m_editModified = wasModified;
        return false;
    }
    return true;
}

void GridCellEditor::writeToField() {
    if (!m_editModified)
        return;
    store::Field* field = m_column ? m_column->field() : nullptr;
    if (field)
        field->setText(text());
    m_editModified = false;
    if (m_open)
        reload();
}

void GridCellEditor::reload() {
    m_editModified = false;
    m_column = m_grid.currentColumn();
    const QModelIndex cell = m_grid.currentIndex();
    if (!m_column || !cell.isValid()) {
        close();
        return;
    }
    const store::Field* field = m_column->field();
    const bool sized = field && field->kind() == store::FieldKind::WideString && field->size() > 0;
    setMaxLength(sized ? field->size() : kUnlimitedLength);
    setAlignment(cell.data(Qt::TextAlignmentRole).value<Qt::Alignment>());
    const QString cellText = cell.data(Qt::DisplayRole).toString();
    if (text() != cellText)
        setText(cellText);
    updateReadOnly();
    placeOverCell();
}

bool GridCellEditor::event(QEvent* event) {
    // Tab is caught here, before it would move the focus on.
    if (event->type() == QEvent::KeyPress && m_forwarder) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (belongsToGrid(key)) {
            m_forwarder(key);
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void GridCellEditor::keyPressEvent(QKeyEvent* event) {
    if (!changesText(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Dropped or refused keys stop here rather than reach the grid.
    event->accept();
    const TDBGridColumn* column = m_grid.currentColumn();
    if (!column || !m_grid.editRules().canModifyCell(*column, m_grid.dataSet()))
        return;
    if (event->matches(QKeySequence::Paste)) {
        if (beginChange())
            pasteAccepted();
        return;
    }
    if (typesText(*event) &&
        CellEditRules::acceptedText(fieldKind(), event->text()) != event->text()) {
        refuse();
        return;
    }
    if (beginChange())
        QLineEdit::keyPressEvent(event);
}

void GridCellEditor::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString accepted = CellEditRules::acceptedText(fieldKind(), commit);
    if (accepted != commit)
        refuse();
    if (accepted.isEmpty() || !beginChange())
        event->setCommitString(QString());
    else
        event->setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(event);
}

bool GridCellEditor::belongsToGrid(const QKeyEvent& event) const {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kModifierKeys;
    switch (event.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return !modifiers.testFlag(Qt::AltModifier);
        case Qt::Key_Insert:
            return !modifiers.testFlag(Qt::ShiftModifier);
        case Qt::Key_Delete:
        case Qt::Key_Apostrophe:
        case Qt::Key_F:
            return modifiers == Qt::ControlModifier;
        case Qt::Key_Home:
        case Qt::Key_Left:
            // With the editor always shown, the caret's edge hands over to the grid.
            return m_grid.options().testFlag(dgAlwaysShowEditor) &&
                   (modifiers.testFlag(Qt::ControlModifier) ||
                    (cursorPosition() == 0 && !hasSelectedText()));
        case Qt::Key_End:
        case Qt::Key_Right:
            return m_grid.options().testFlag(dgAlwaysShowEditor) &&
                   (modifiers.testFlag(Qt::ControlModifier) ||
                    (cursorPosition() == text().size() && !hasSelectedText()));
        default:
            return false;
    }
}

void GridCellEditor::pasteAccepted() {
    insert(CellEditRules::acceptedText(fieldKind(), QApplication::clipboard()->text()));
}

void GridCellEditor::refuse() {
    QApplication::beep();
    emit characterRefused();
}

void GridCellEditor::currentCellChanged() {
    if (!m_open)
        return;
    if (m_editModified && m_column != m_grid.currentColumn()) {
        // A click into another cell of the record: the text goes into the
        // field it was typed for; if the field refuses it, that cell becomes
        // current again.
        try {
            writeToField();
        } catch (...) {
            emit m_grid.failed(std::current_exception());
            QMetaObject::invokeMethod(
                this, [this, column = m_column] { m_grid.setCurrentColumn(*column); },
                Qt::QueuedConnection);
        }
    }
    if (m_editModified) {
        placeOverCell();
        return;
    }
    reload();
    selectAll();
}

void GridCellEditor::editingChanged() {
    const store::Query* dataSet = m_grid.dataSet();
    // Posted or cancelled: the field holds what counts.
    if (!dataSet || !dataSet->isEditing())
        m_editModified = false;
    if (!m_open)
        return;
    if (m_editModified)
        updateReadOnly();
    else
        reload();
}

void GridCellEditor::recordChanged(int firstRow, int lastRow) {
    const int row = m_grid.currentIndex().row();
    if (m_open && !m_editModified && row >= firstRow && row <= lastRow)
        reload();
}

void GridCellEditor::updateReadOnly() {
    setReadOnly(!m_column || !m_grid.editRules().canModifyCell(*m_column, m_grid.dataSet()));
}

void GridCellEditor::placeOverCell() {
    if (!m_open)
        return;
    // The cell's right and bottom pixels are its grid lines.
    setGeometry(m_grid.visualRect(m_grid.currentIndex()).adjusted(0, 0, -1, -1));
}

store::FieldKind GridCellEditor::fieldKind() const {
    const store::Field* field = m_column ? m_column->field() : nullptr;
    return field ? field->kind() : store::FieldKind::WideString;
}

}  // namespace grid
