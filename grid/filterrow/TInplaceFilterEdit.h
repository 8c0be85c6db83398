#pragma once

#include <QLineEdit>

class QToolButton;

namespace grid {

// Where a key in the filter editor sends it among the filter cells.
enum class FilterCellMove { Next, Previous, First, Last };

// The filter editor: a combo editor placed over a filter cell, with blue
// text on the filter row's tinted background and, for a column with a list,
// a dropdown button at its right, as wide as a vertical scroll bar. It interprets its keys and
// reports what they ask for; whoever places it over a cell carries that out:
// - Enter asks to apply the filter;
// - Tab and Shift+Tab (when tabs move between cells), Left and Right at
//   the start or end of the text, Ctrl+Left, Ctrl+Right, and Home and End
//   with Ctrl or at the start or end of the text ask for another cell;
// - Down and Ctrl+Down ask to return to the data cells;
// - Esc asks to close the editor;
// - the button, F4 and Alt+Down ask for the dropdown list;
// - Up alone does nothing; F2 moves the caret to the end of the text.
// Right and Left swap in a right-to-left layout.
class TInplaceFilterEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TInplaceFilterEdit(QWidget* parent);

    bool hasButton() const { return m_hasButton; }
    void setHasButton(bool hasButton);
    // Whether Tab and Shift+Tab move between filter cells.
    void setTabsMove(bool tabsMove) { m_tabsMove = tabsMove; }
    // Blue text on the filter row's background.
    void setBackground(const QColor& background);
    // Where the button is, in the editor; empty without one.
    QRect buttonRect() const;

signals:
    void applyRequested();
    void moveRequested(grid::FilterCellMove move);
    // `plainDown`: Down without Ctrl, which also moves to the topmost visible row.
    void dataRequested(bool plainDown);
    void closeRequested();
    void dropDownRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool handleKey(const QKeyEvent& event);
    void placeButton();

    QToolButton* m_button;
    bool m_hasButton = false;
    bool m_tabsMove = true;
};

}  // namespace grid
