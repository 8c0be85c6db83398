#pragma once

namespace grid {

// Makes the search loop and the program's find dialog the procedures that
// the dataset features objects open and run; repeating it changes nothing.
void installFindProcedures();

}  // namespace grid
