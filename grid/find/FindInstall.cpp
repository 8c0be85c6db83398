#include "grid/find/FindInstall.h"

#include "grid/features/FindProcedures.h"
#include "grid/find/GridTextSearch.h"
#include "grid/find/TDBGridFindDlg.h"

namespace grid {

namespace {

void showFindDialog(SearchableGrid& grid, const QString& text, bool modal) {
    TDBGridFindDlg::instance().showForGrid(grid, text, modal);
}

}  // namespace

void installFindProcedures() {
    FindProcedures& procedures = findProcedures();
    procedures.locateText = locateTextInGrid;
    procedures.showFindDialog = showFindDialog;
}

}  // namespace grid
