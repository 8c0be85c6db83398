#include "grid/celltext/TAlignment.h"

namespace grid {

Qt::Alignment toQtAlignment(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify:
            return Qt::AlignRight | Qt::AlignVCenter;
        case taCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case taLeftJustify:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace grid
