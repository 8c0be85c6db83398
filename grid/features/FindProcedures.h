#pragma once

#include <QString>

namespace grid {

class SearchableGrid;
struct LocateTextRequest;

// The program's text search loop and its one find dialog. The features
// objects reach both through these procedures, which the find folder sets
// (installFindProcedures()) before any grid uses them.
struct FindProcedures {
    using LocateText = bool (*)(SearchableGrid& grid, const LocateTextRequest& request);
    using ShowFindDialog = void (*)(SearchableGrid& grid, const QString& text, bool modal);

    LocateText locateText = nullptr;
    ShowFindDialog showFindDialog = nullptr;
};

FindProcedures& findProcedures();

}  // namespace grid
