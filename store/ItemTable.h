#pragma once

#include <vector>

#include <QString>

#include "store/FieldDef.h"

namespace store {

// The item table BabyData and the 47 declared fields of the item query, ID last.
const std::vector<FieldDef>& itemFields();
inline constexpr int kItemFieldCount = 47;
inline constexpr int kItemIdField = 46;

QString itemTableName();  // "BabyData"
QString itemQuerySql();   // "Select * from BabyData"
// CREATE TABLE statement for a new item database (ID autoincrement, last).
QString createItemTableSql();

}  // namespace store
