#include "grid/model/TDBGridCenter.h"

namespace grid {

TDBGridCenter& TDBGridCenter::instance() {
    static TDBGridCenter center;
    return center;
}

}  // namespace grid
