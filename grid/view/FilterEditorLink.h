#pragma once

#include <QString>

namespace grid {

class TDBGridColumn;

// What the grid asks of its filter editor when it applies the filter row:
// the text being typed goes to its column first, and afterwards the editor
// shows its column's stored text again.
class FilterEditorLink {
public:
    virtual ~FilterEditorLink() = default;

    // The column whose filter cell the editor is open over; none while it is closed.
    virtual TDBGridColumn* editedColumn() const = 0;
    virtual QString editorText() const = 0;
    // Shows the edited column's filter text, all selected, over its cell.
    virtual void refill() = 0;
};

}  // namespace grid
