#pragma once

namespace store {
class DataSource;
}

namespace grid {

class TDBGridColumns;

// Appends the grid's configured columns for the item table: the 47 item
// fields in their shown order, with widths, read-only flags, centred titles,
// title buttons, the record count footer under ID, and the filter lists of
// ID, 宝贝链接, 宝贝名称 and 宝贝价格, which look up values in `listSource`.
void addItemColumns(TDBGridColumns& columns, store::DataSource* listSource);

}  // namespace grid
