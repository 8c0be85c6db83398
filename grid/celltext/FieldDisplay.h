#pragma once

#include <QString>
#include <QVariant>

#include "grid/celltext/TAlignment.h"
#include "store/FieldKind.h"

namespace grid {

// The text a data cell shows for a value of a field of the given kind.
// Memo fields show a placeholder instead of their text: "(MEMO)" when the
// field holds a value, "(Memo)" when it is null. A null value of any other
// kind shows nothing; whole numbers show in plain decimal digits.
QString cellDisplayText(store::FieldKind kind, const QVariant& value);

// Numbers are aligned right, everything else left.
TAlignment fieldAlignment(store::FieldKind kind);

}  // namespace grid
