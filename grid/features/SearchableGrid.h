#pragma once

#include <exception>

namespace store {
class Query;
}

namespace grid {

class TDBGridColumn;
class TDBGridColumns;
struct LocateTextRequest;

// What the text search and the find dialog need of a data grid.
class SearchableGrid {
public:
    virtual ~SearchableGrid() = default;

    // The open dataset shown, none without one.
    virtual store::Query* dataSet() const = 0;
    // In display order.
    virtual const TDBGridColumns& columns() const = 0;
    virtual TDBGridColumn* currentColumn() const = 0;
    virtual void setCurrentColumn(TDBGridColumn& column) = 0;
    // Whether a column bound to a field lies wholly inside the data area.
    virtual bool showsWholeDataColumn() const = 0;
    // The row of the data area that shows the current record, counted from
    // its top; -1 when the record is not on screen.
    virtual int screenRowOfCursor() const = 0;
    // Scrolls so that the current record shows in that row of the data area.
    virtual void showCursorAtScreenRow(int screenRow) = 0;
    // Searches the dataset and makes the first matching cell current; false
    // when nothing matched.
    virtual bool locateText(const LocateTextRequest& request) = 0;
    // Hands a failure to whoever reports the grid's failures.
    virtual void reportFailure(std::exception_ptr failure) = 0;

protected:
    SearchableGrid() = default;
    SearchableGrid(const SearchableGrid&) = default;
    SearchableGrid& operator=(const SearchableGrid&) = default;
};

}  // namespace grid
