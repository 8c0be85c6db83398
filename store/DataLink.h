#pragma once

namespace store {

class Field;

// Something that shows a dataset through a DataSource (the grid, the
// navigator). The dataset tells it what changed.
class DataLink {
public:
    virtual ~DataLink() = default;

    // The dataset opened, closed, or the data source changed its dataset.
    virtual void activeChanged() {}
    // Rows changed as a whole (open, requery, filter, post, cancel, delete, insert).
    virtual void dataSetChanged() {}
    // The cursor moved by `distance` rows.
    virtual void dataSetScrolled(int distance) { (void)distance; }
    // A field of the current record changed (null: the whole record).
    virtual void recordChanged(Field* field) { (void)field; }
    // The dataset entered or left edit or insert state.
    virtual void editingChanged() {}
    // The dataset is about to post: write any pending editor text into the field.
    virtual void updateData() {}
};

}  // namespace store
