#include "grid/sumlist/TDBSumListProducer.h"

#include <vector>

#include <QScopeGuard>

#include "store/Field.h"

namespace grid {

namespace {

void callSaved(const store::Query::Notify& handler, store::Query& dataSet) {
    if (handler)
        handler(dataSet);
}

}  // namespace

TDBSumListProducer::TDBSumListProducer(QObject* parent) : QObject(parent) {}

TDBSumListProducer::~TDBSumListProducer() {
    unhook();
}

void TDBSumListProducer::setDataSet(store::Query* dataSet) {
    if (dataSet == m_dataSet)
        return;
    if (!m_active) {
        m_dataSet = dataSet;
        return;
    }
    setActive(false);
    m_dataSet = dataSet;
    setActive(true);
}

void TDBSumListProducer::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        hook();
        recalculateAll();
    } else {
        unhook();
        resetValues();
    }
}

void TDBSumListProducer::hook() {
    if (m_hooked || !m_dataSet)
        return;
    store::Query& d = *m_dataSet;
    m_saved = {d.afterOpen,   d.afterClose, d.afterScroll, d.afterEdit,
               d.afterInsert, d.afterPost,  d.afterCancel, d.beforeDelete};
    d.afterOpen = [this](store::Query& q) { dataSetAfterOpen(q); };
    d.afterClose = [this](store::Query& q) { dataSetAfterClose(q); };
    d.afterScroll = [this](store::Query& q) { dataSetAfterScroll(q); };
    d.afterEdit = [this](store::Query& q) { dataSetAfterEdit(q); };
    d.afterInsert = [this](store::Query& q) { dataSetAfterInsert(q); };
    d.afterPost = [this](store::Query& q) { dataSetAfterPost(q); };
    d.afterCancel = [this](store::Query& q) { dataSetAfterCancel(q); };
    d.beforeDelete = [this](store::Query& q) { dataSetBeforeDelete(q); };
    m_hooked = true;
}

void TDBSumListProducer::unhook() {
    if (!m_hooked)
        return;
    store::Query& d = *m_dataSet;
    d.afterOpen = std::move(m_saved.afterOpen);
    d.afterClose = std::move(m_saved.afterClose);
    d.afterScroll = std::move(m_saved.afterScroll);
    d.afterEdit = std::move(m_saved.afterEdit);
    d.afterInsert = std::move(m_saved.afterInsert);
    d.afterPost = std::move(m_saved.afterPost);
    d.afterCancel = std::move(m_saved.afterCancel);
    d.beforeDelete = std::move(m_saved.beforeDelete);
    m_saved = {};
    m_hooked = false;
}

void TDBSumListProducer::collectionChanged() {
    recalculateAll();
}

void TDBSumListProducer::resetValues() {
    for (int i = 0; i < m_sumCollection.count(); ++i)
        m_sumCollection.at(i).resetValues();
    emit sumListChanged();
}

void TDBSumListProducer::recalculateAll() {
    if (!m_active || !m_dataSet || !m_dataSet->isActive() || !m_hooked)
        return;
    const auto finish = qScopeGuard([this] {
        m_recalculating = false;
        emit sumListChanged();
    });
    resetValues();
    emit recalcAll();
    if (!m_externalRecalc) {
        if (m_sumCollection.anyReadsRecords())
            walkDataSet();
        emit afterRecalcAll();
    }
    m_filterSnapshot = {m_dataSet->filtered(), m_dataSet->filter()};
}

void TDBSumListProducer::walkDataSet() {
    store::Query& d = *m_dataSet;
    const store::Query::Bookmark current = d.bookmark();
    const bool wasAtBeginning = d.bof();
    const bool wasAtEnd = d.eof() && !d.bof();
    d.disableControls();
    // Display updates resume however the walk ends, or the grid would stay frozen.
    const auto resume = qScopeGuard([&d] { d.enableControls(); });
    m_recalculating = true;

    std::vector<std::pair<TDBSum*, const store::Field*>> reading;
    for (int i = 0; i < m_sumCollection.count(); ++i) {
        TDBSum& item = m_sumCollection.at(i);
        if (item.readsRecords())
            reading.emplace_back(&item, fieldOf(item));
    }
    for (d.first(); !d.eof(); d.next()) {
        for (const auto& [item, field] : reading)
            item->accumulate(field);
    }
    // Coming back keeps the beginning and end flags that the navigator shows.
    if (wasAtEnd)
        d.last();
    else if (!wasAtBeginning && d.bookmarkValid(current))
        d.gotoBookmark(current);
    else
        d.first();
    for (const auto& [item, field] : reading)
        item->finishRecount();
}

const store::Field* TDBSumListProducer::fieldOf(const TDBSum& item) const {
    return item.fieldName().isEmpty() ? nullptr : m_dataSet->findField(item.fieldName());
}

template <typename Apply>
void TDBSumListProducer::forEachReadingItem(Apply apply) {
    for (int i = 0; i < m_sumCollection.count(); ++i) {
        TDBSum& item = m_sumCollection.at(i);
        if (item.readsRecords())
            apply(item, fieldOf(item));
    }
}

bool TDBSumListProducer::filterChangedSinceRecount() const {
    if (m_dataSet->filtered() != m_filterSnapshot.filtered)
        return true;
    return m_dataSet->filtered() && m_dataSet->filter() != m_filterSnapshot.filter;
}

// ---------------------------------------------------------------- notifications

void TDBSumListProducer::dataSetAfterOpen(store::Query& dataSet) {
    if (m_active)
        recalculateAll();
    callSaved(m_saved.afterOpen, dataSet);
}

void TDBSumListProducer::dataSetAfterClose(store::Query& dataSet) {
    resetValues();
    m_recalculating = false;
    callSaved(m_saved.afterClose, dataSet);
}

void TDBSumListProducer::dataSetAfterScroll(store::Query& dataSet) {
    callSaved(m_saved.afterScroll, dataSet);
    if (m_active && !m_recalculating && filterChangedSinceRecount())
        recalculateAll();
}

// A record posted while a recount walks the dataset (the walk's first move
// settles a pending edit) is counted by the walk itself, so the incremental
// upkeep stands aside meanwhile.
void TDBSumListProducer::dataSetAfterEdit(store::Query& dataSet) {
    if (m_active && !m_recalculating)
        forEachReadingItem(
            [](TDBSum& item, const store::Field* field) { item.rememberEdited(field); });
    callSaved(m_saved.afterEdit, dataSet);
}

void TDBSumListProducer::dataSetAfterInsert(store::Query& dataSet) {
    if (m_active && !m_recalculating)
        forEachReadingItem(
            [](TDBSum& item, const store::Field* field) { item.rememberInserted(field); });
    callSaved(m_saved.afterInsert, dataSet);
}

void TDBSumListProducer::dataSetAfterPost(store::Query& dataSet) {
    if (m_active && !m_recalculating) {
        forEachReadingItem([](TDBSum& item, const store::Field* field) { item.applyPost(field); });
        emit sumListChanged();
    }
    callSaved(m_saved.afterPost, dataSet);
}

void TDBSumListProducer::dataSetAfterCancel(store::Query& dataSet) {
    callSaved(m_saved.afterCancel, dataSet);
}

void TDBSumListProducer::dataSetBeforeDelete(store::Query& dataSet) {
    callSaved(m_saved.beforeDelete, dataSet);
    if (m_active && !m_recalculating) {
        forEachReadingItem(
            [](TDBSum& item, const store::Field* field) { item.applyDelete(field); });
        emit sumListChanged();
    }
}

}  // namespace grid
