#pragma once

#include <cstdint>

#include "store/FieldKind.h"

namespace grid {

// How a column's filter values are read and converted: kept as text,
// converted to numbers, or to dates and times.
enum ValueKind : std::uint8_t {
    vkOther = 0,
    vkText = 1,
    vkNumber = 2,
    vkDateTime = 3,
    vkBoolean = 4
};

// The value kind of a field of the given kind.
ValueKind valueKindOf(store::FieldKind kind);

}  // namespace grid
