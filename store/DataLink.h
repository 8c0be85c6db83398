#pragma once

namespace store {

class DataSource;
class Field;

// Something that shows a dataset through a DataSource (the grid, the
// navigator). The dataset tells it what changed.
class DataLink {
public:
    DataLink() = default;
    // Leaves its data source.
    virtual ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    // The data source it is registered with; none after that source is destroyed.
    DataSource* dataSource() const { return m_dataSource; }

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

protected:
    // Registers with a data source, leaving the one before (none: with none).
    // False when it was registered with that source already.
    bool attachTo(DataSource* dataSource);

private:
    friend class DataSource;
    DataSource* m_dataSource = nullptr;
};

}  // namespace store
