#include "grid/filterrow/FilterValueList.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "store/DataSource.h"
#include "store/Query.h"

namespace grid {

FilterValueList::FilterValueList(store::DataSource* listSource, QString fieldName)
    : m_fieldName(std::move(fieldName)) {
    attachTo(listSource);
}

const QStringList& FilterValueList::values() {
    if (m_built)
        return m_values;
    store::DataSource* source = dataSource();
    store::Query* dataSet = source && source->isActive() ? source->dataSet() : nullptr;
    m_values = dataSet
                   ? distinctSorted(dataSet->fieldTexts(dataSet->fieldByName(m_fieldName).index()))
                   : QStringList();
    m_built = true;
    return m_values;
}

QStringList FilterValueList::distinctSorted(const QStringList& texts) {
    // Sorting on case-folded keys compares each pair with a plain comparison;
    // the stable sort keeps texts with equal keys in the order they came.
    struct Entry {
        QString key;
        qsizetype index;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        entries.push_back({texts[i].toCaseFolded(), i});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    QStringList distinct;
    distinct.reserve(static_cast<qsizetype>(entries.size()));
    const QString* previous = nullptr;
    for (const Entry& entry : entries) {
        if (previous && *previous == entry.key)
            continue;
        distinct << texts[entry.index];
        previous = &entry.key;
    }
    return distinct;
}

void FilterValueList::activeChanged() {
    m_values.clear();
    m_built = false;
}

void FilterValueList::dataSetChanged() {
    m_built = false;
}

}  // namespace grid
