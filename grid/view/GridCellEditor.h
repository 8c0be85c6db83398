#pragma once

#include <functional>

#include <QLineEdit>

#include "store/FieldKind.h"

namespace grid {

class TDBGridColumn;
class TDBGrid;

// The grid's in-place editor: a line edit over the current cell showing the
// cell's text. It follows the current cell while it is open.
//
// A keystroke that would change the text is dropped in a cell that cannot
// be changed; in one that can, the first such keystroke puts a browsing
// dataset into editing. Characters that the field does not take are
// refused with a beep, and a paste keeps only the characters it takes.
// The keys that work on records (Up, Down, PgUp, PgDn, Esc, Enter, Tab,
// Insert, Ctrl+Delete, ...) are handed to the grid.
//
// The editor keeps the grid's modified flag: set when a change of the cell
// begins, cleared when the text is written into the field or the cell is
// loaded again from it. Before the dataset posts, pending text goes into the
// field.
class GridCellEditor : public QLineEdit {
    Q_OBJECT

public:
    using KeyForwarder = std::function<void(const QKeyEvent& event)>;
    enum class Caret { SelectAll, AtEnd };

    explicit GridCellEditor(TDBGrid& grid);

    // Where the keys that belong to the grid go.
    void setKeyForwarder(KeyForwarder forwarder) { m_forwarder = std::move(forwarder); }

    bool isOpen() const { return m_open; }
    // Opens over the current cell with its text (an open editor keeps its
    // text) and takes the grid's focus; does nothing where no editor may open.
    void open(Caret caret);
    // Closes and gives the focus back to the grid; pending text is dropped.
    void close();

    bool isEditModified() const { return m_editModified; }
    // Starts a change of the current cell: false when the cell cannot be
    // changed or the dataset does not go into editing (a failure to do so
    // is reported by the grid).
    bool beginChange();
    // Writes modified text into the field it was typed for. A failure
    // propagates and leaves the text pending.
    void writeToField();
    // Loads the current cell's text from its field.
    void reload();

    // True for a key press that types text: a printable character without
    // Ctrl, Alt or Meta.
    static bool typesText(const QKeyEvent& event);

signals:
    // A typed character was refused (the editor beeps).
    void characterRefused();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool belongsToGrid(const QKeyEvent& event) const;
    void pasteAccepted();
    void refuse();
    void currentCellChanged();
    void editingChanged();
    void recordChanged(int firstRow, int lastRow);
    void updateReadOnly();
    void placeOverCell();
    store::FieldKind fieldKind() const;

    TDBGrid& m_grid;
    KeyForwarder m_forwarder;
    // The column whose cell the text was loaded from.
    TDBGridColumn* m_column = nullptr;
    bool m_open = false;
    bool m_editModified = false;
};

}  // namespace grid
