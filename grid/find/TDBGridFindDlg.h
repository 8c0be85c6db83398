#pragma once

#include <vector>

#include <QDialog>
#include <QPointer>

#include "grid/features/LocateTextRequest.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace grid {

class SearchableGrid;
class TDBGridColumn;

// The find dialog: searches the grid it serves for a text, in one column or
// in all visible columns, with "&Find next" (or Enter; Ctrl reverses the
// direction). One dialog serves the whole program (instance()): the texts
// searched and the chosen options stay from one opening to the next, while
// the text box is emptied and the column list rebuilt on each.
class TDBGridFindDlg : public QDialog {
    Q_OBJECT

public:
    // The program's dialog, created the first time it is asked for and
    // deleted with the application object.
    static TDBGridFindDlg& instance();

    explicit TDBGridFindDlg(QWidget* parent = nullptr);

    // Opens the dialog for `grid` with `text` in the text box: modal waits
    // until it closes, otherwise it stays on top without waiting.
    void showForGrid(SearchableGrid& grid, const QString& text, bool modal);

    // "&Find next": records the text in the history and searches on from the
    // current cell; Ctrl held reverses the direction.
    void bFindClick();
    void bCancelClick();

    // Whether the next search with "All" starts at the first record.
    bool firstSearch() const { return m_firstSearch; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findNext(bool reversed);
    void setTreeRowShown(bool shown);
    void fillFindIn();
    LocateTextRequest request(bool reversed) const;
    SearchableGrid* grid() const;

    QComboBox* m_text;
    QComboBox* m_findIn;
    QComboBox* m_matching;
    QComboBox* m_direction;
    QCheckBox* m_charCase;
    QCheckBox* m_useFormat;
    QPushButton* m_find;
    QPushButton* m_cancel;
    QLabel* m_treeLabel;
    QComboBox* m_treeRange;

    SearchableGrid* m_grid = nullptr;
    QPointer<QObject> m_gridAlive;                // the grid may go while the dialog is hidden
    std::vector<TDBGridColumn*> m_findInColumns;  // per item of cbFindIn; none for "<All>"
    bool m_firstSearch = true;
};

}  // namespace grid
