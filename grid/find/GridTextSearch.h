#pragma once

namespace grid {

class SearchableGrid;
struct LocateTextRequest;

// The grid's text search. It starts in the column of the request's field
// (the current column without one) and, with LocateDirection::All, on the
// first record; Up and Down step once before testing, so the current cell
// itself is not tested. With LocateOption::AllFields it steps through the
// visible columns of a record before going to the next or previous record.
// A match becomes the current record and column. Without one the dataset
// stays on its record and the grid shows it in the same row as before.
// Display updates are suspended while it runs. Throws store::Error "Field
// name '%s' not found" for a field name no column shows.
bool locateTextInGrid(SearchableGrid& grid, const LocateTextRequest& request);

}  // namespace grid
