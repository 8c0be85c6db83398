#pragma once

#include <QString>

#include "store/FieldKind.h"

namespace store {

// One declared field of a dataset: its name, kind and size in characters
// (text fields only; 0 otherwise).
struct FieldDef {
    QString name;
    FieldKind kind;
    int size = 0;
};

}  // namespace store
