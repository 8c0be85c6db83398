#pragma once

#include <QObject>
#include <QString>

#include "grid/sumlist/TDBSumCollection.h"
#include "store/Query.h"

namespace grid {

// Keeps the aggregates of a dataset: sums, averages and counts over the
// records it holds. While active it takes over eight notifications of the
// dataset (after open, close, scroll, edit, insert, post and cancel, and
// before delete), calling the handlers that were there before; it recounts
// with one walk over the dataset when the dataset opens or its filter
// changes, and otherwise adjusts the aggregates by the one record that was
// posted or deleted. Plain cursor moves never recount.
class TDBSumListProducer : public QObject {
    Q_OBJECT

public:
    explicit TDBSumListProducer(QObject* parent = nullptr);
    ~TDBSumListProducer() override;

    store::Query* dataSet() const { return m_dataSet; }
    // An active sum list lets go of the old dataset (unhook, reset) and takes
    // up the new one (hook, recount); an inactive one only remembers it. The
    // dataset must outlive the binding or be replaced first.
    void setDataSet(store::Query* dataSet);

    bool active() const { return m_active; }
    // On: hook and recount. Off: unhook and reset.
    void setActive(bool active);

    // On: recalculateAll() only zeroes the aggregates and announces
    // recalcAll(), for a handler that computes them itself.
    bool externalRecalc() const { return m_externalRecalc; }
    void setExternalRecalc(bool externalRecalc) { m_externalRecalc = externalRecalc; }

    TDBSumCollection& sumCollection() { return m_sumCollection; }
    const TDBSumCollection& sumCollection() const { return m_sumCollection; }

    bool recalculating() const { return m_recalculating; }
    bool hooked() const { return m_hooked; }

    // Recomputes every aggregate with one walk over the dataset, display
    // updates suspended; the current record stays current. Does nothing
    // unless active, hooked and bound to an open dataset. A failure of the
    // dataset during the walk propagates after the aggregates are reported.
    void recalculateAll();
    // Zeroes every aggregate.
    void resetValues();

signals:
    // A recount begins, after the aggregates were zeroed.
    void recalcAll();
    // A recount that this sum list computed itself has ended.
    void afterRecalcAll();
    // The aggregates changed; whoever shows them repaints.
    void sumListChanged();

private:
    struct SavedHandlers {
        store::Query::Notify afterOpen, afterClose, afterScroll, afterEdit, afterInsert, afterPost,
            afterCancel, beforeDelete;
    };
    struct FilterState {
        bool filtered = false;
        QString filter;
    };

    void hook();
    void unhook();
    void collectionChanged();
    void walkDataSet();
    const store::Field* fieldOf(const TDBSum& item) const;
    template <typename Apply>
    void forEachReadingItem(Apply apply);
    bool filterChangedSinceRecount() const;

    void dataSetAfterOpen(store::Query& dataSet);
    void dataSetAfterClose(store::Query& dataSet);
    void dataSetAfterScroll(store::Query& dataSet);
    void dataSetAfterEdit(store::Query& dataSet);
    void dataSetAfterInsert(store::Query& dataSet);
    void dataSetAfterPost(store::Query& dataSet);
    void dataSetAfterCancel(store::Query& dataSet);
    void dataSetBeforeDelete(store::Query& dataSet);

    store::Query* m_dataSet = nullptr;
    bool m_active = false;
    bool m_externalRecalc = false;
    bool m_recalculating = false;
    bool m_hooked = false;
    SavedHandlers m_saved;
    FilterState m_filterSnapshot;
    TDBSumCollection m_sumCollection{[this] { collectionChanged(); }};
};

}  // namespace grid
