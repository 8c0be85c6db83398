#include "grid/filterrow/FilterValueList.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "store/DataSource.h"
#include "store/Query.h"

namespace {

// An entry of the sort: a text's position and three UTF-16 units of its key
// from the current depth on, each as unit + 1 in 21 bits (0 past the end), so
// that comparing digits compares the keys' units in order.
struct SortEntry {
    std::uint64_t digit = 0;
    std::uint32_t index = 0;
};

constexpr qsizetype unitsPerDigit = 3;
constexpr std::uint64_t lastUnitMask = (std::uint64_t{1} << 21) - 1;

std::uint64_t digitAt(const QString& key, qsizetype depth) {
    std::uint64_t digit = 0;
    for (qsizetype unit = depth; unit < depth + unitsPerDigit; ++unit) {
        digit <<= 21;
        if (unit < key.size())
            digit |= std::uint64_t{key[unit].unicode()} + 1;
    }
    return digit;
}

// Sorts by key, equal keys by position: most-significant-digit first, each
// group of equal digits sorted again on the next three units. Texts of a
// product list share long beginnings (brand, style, kind), which a plain
// comparison sort would compare again and again through scattered memory.
void sortByKey(std::span<SortEntry> entries, const std::vector<QString>& keys, qsizetype depth) {
    for (SortEntry& entry : entries)
        entry.digit = digitAt(keys[entry.index], depth);
    std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        return a.digit != b.digit ? a.digit < b.digit : a.index < b.index;
    });
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t end = first + 1;
        while (end < entries.size() && entries[end].digit == entries[first].digit)
            ++end;
        // A group whose keys all ended is one key, already in position order.
        if (end - first > 1 && (entries[first].digit & lastUnitMask) != 0)
            sortByKey(entries.subspan(first, end - first), keys, depth + unitsPerDigit);
        first = end;
    }
}

}  // namespace

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
    std::vector<QString> keys;
    keys.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts)
        keys.push_back(text.toCaseFolded());
    std::vector<SortEntry> entries(keys.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i].index = static_cast<std::uint32_t>(i);
    sortByKey(entries, keys, 0);

    QStringList distinct;
    distinct.reserve(texts.size());
    const QString* previous = nullptr;
    for (const SortEntry& entry : entries) {
        const QString& key = keys[entry.index];
        if (previous && *previous == key)
            continue;
        distinct << texts[entry.index];
        previous = &key;
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
