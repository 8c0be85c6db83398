#include "grid/filter/ValueKind.h"

namespace grid {

ValueKind valueKindOf(store::FieldKind kind) {
    switch (kind) {
        case store::FieldKind::WideString:
        case store::FieldKind::Memo:
            return vkText;
        case store::FieldKind::Integer:
        case store::FieldKind::SmallInt:
        case store::FieldKind::AutoInc:
        case store::FieldKind::BCD:
        case store::FieldKind::Float:
            return vkNumber;
        case store::FieldKind::DateTime:
            return vkDateTime;
        case store::FieldKind::Boolean:
            return vkBoolean;
    }
    return vkOther;
}

}  // namespace grid
