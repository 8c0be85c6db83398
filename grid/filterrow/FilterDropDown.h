#pragma once

#include <QFrame>

#include "grid/filterrow/FilterDropDownModel.h"

class QListView;
class QModelIndex;

namespace grid {

// A filter cell's dropdown list: a popup under the filter editor listing
// the model's items, sized by the user with the grip at its lower right.
// A click on an item or Enter chooses it; Esc or a click outside closes
// the list without a choice.
class FilterDropDown : public QFrame {
    Q_OBJECT

public:
    // Shown when nothing is remembered yet.
    static constexpr int kDefaultWidth = 100;
    static constexpr int kDefaultRows = 17;

    explicit FilterDropDown(QWidget* parent);

    FilterDropDownModel& model() { return m_model; }
    QListView& list() const { return *m_list; }

    // Drops down under `anchor` (above it when the screen has no room
    // below), `width` pixels wide and showing up to `rows` items, 0 meaning
    // the defaults; `current` is the row to start on, -1 for none.
    void popUp(QWidget& anchor, int width, int rows, int current);
    // The size as the user left it: the width in pixels and the number of
    // whole items the list shows.
    int currentWidth() const;
    int currentRows() const;

signals:
    void chosen(int row);
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void choose(const QModelIndex& index);
    int rowHeight() const;

    FilterDropDownModel m_model;
    QListView* m_list;
    bool m_chosen = false;
};

}  // namespace grid
