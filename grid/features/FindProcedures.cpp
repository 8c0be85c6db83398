#include "grid/features/FindProcedures.h"

namespace grid {

FindProcedures& findProcedures() {
    static FindProcedures procedures;
    return procedures;
}

}  // namespace grid
