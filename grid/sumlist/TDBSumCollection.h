#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QString>

#include "grid/sumlist/TDBSum.h"

namespace grid {

// The aggregates of a sum list. A change of the collection (an item added,
// freed or retargeted) is reported to its owner once per outermost
// beginUpdate() / endUpdate() pair, or at once outside such a pair.
class TDBSumCollection {
public:
    explicit TDBSumCollection(std::function<void()> changed);
    ~TDBSumCollection();
    TDBSumCollection(const TDBSumCollection&) = delete;
    TDBSumCollection& operator=(const TDBSumCollection&) = delete;

    int count() const { return static_cast<int>(m_items.size()); }
    TDBSum& at(int index) const;
    TDBSum& add();
    // Frees an item of this collection.
    void remove(TDBSum* item);

    // The first item with this operation whose field name equals `fieldName`
    // without regard to case; none when there is no such item.
    TDBSum* find(TGroupOperation groupOperation, const QString& fieldName) const;
    // Whether some item reads records (see TDBSum::readsRecords).
    bool anyReadsRecords() const;

    void beginUpdate();
    void endUpdate();

    // Called by the items.
    void itemChanged();

private:
    std::vector<std::unique_ptr<TDBSum>> m_items;
    std::function<void()> m_changed;
    int m_updateCount = 0;
    bool m_changedWhileUpdating = false;
};

}  // namespace grid
