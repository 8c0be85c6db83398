#include "grid/sumlist/TDBSum.h"

#include <algorithm>
#include <cmath>

#include "grid/sumlist/TDBSumCollection.h"
#include "store/Currency.h"
#include "store/Field.h"

namespace grid {

namespace {

// Beyond this a scaled value no longer fits the 64-bit amount.
constexpr double kLargestScaled = 9.0e18;

bool hasValue(const store::Field* field) {
    return field && !field->isNull();
}

// The field's value times 10 000, rounded to the nearest integer, ties to even.
std::int64_t scaledValue(const store::Field& field) {
    const double scaled =
        std::nearbyint(field.asFloat() * static_cast<double>(store::Currency::kScale));
    if (!std::isfinite(scaled))
        return 0;
    return static_cast<std::int64_t>(std::clamp(scaled, -kLargestScaled, kLargestScaled));
}

}  // namespace

TDBSum::TDBSum(TDBSumCollection& collection) : m_collection(collection) {}

void TDBSum::setFieldName(const QString& fieldName) {
    if (fieldName == m_fieldName)
        return;
    m_fieldName = fieldName;
    m_collection.itemChanged();
}

void TDBSum::setGroupOperation(TGroupOperation groupOperation) {
    if (groupOperation == m_groupOperation)
        return;
    m_groupOperation = groupOperation;
    m_collection.itemChanged();
}

bool TDBSum::readsRecords() const {
    return m_groupOperation == goCount || !m_fieldName.isEmpty();
}

void TDBSum::resetValues() {
    m_amount = 0;
    m_priorContribution = 0;
    m_runningTotal = 0;
    m_nonNullCount = 0;
}

std::int64_t TDBSum::contribution(const store::Field* field) const {
    if (m_groupOperation == goCount)
        return m_fieldName.isEmpty() || hasValue(field) ? store::Currency::kScale : 0;
    return hasValue(field) ? scaledValue(*field) : 0;
}

void TDBSum::updateAverage() {
    m_amount = m_nonNullCount > 0 ? store::divideRoundHalfEven(m_runningTotal, m_nonNullCount) : 0;
}

void TDBSum::accumulate(const store::Field* field) {
    if (m_groupOperation == goAvg) {
        if (hasValue(field))
            ++m_nonNullCount;
        m_runningTotal += contribution(field);
        return;
    }
    m_amount += contribution(field);
}

void TDBSum::finishRecount() {
    if (m_groupOperation == goAvg)
        updateAverage();
}

void TDBSum::rememberEdited(const store::Field* field) {
    m_priorContribution = contribution(field);
    if (m_groupOperation != goCount)
        m_priorFieldValue = field ? field->value() : QVariant();
}

void TDBSum::rememberInserted(const store::Field* field) {
    if (m_groupOperation == goCount) {
        m_priorContribution = m_fieldName.isEmpty() ? 0 : contribution(field);
        return;
    }
    m_priorContribution = 0;
    m_priorFieldValue = QVariant();
}

void TDBSum::applyPost(const store::Field* field) {
    const std::int64_t change = contribution(field) - m_priorContribution;
    if (m_groupOperation != goAvg) {
        m_amount += change;
        return;
    }
    m_runningTotal += change;
    m_nonNullCount += (hasValue(field) ? 1 : 0) - (m_priorFieldValue.isNull() ? 0 : 1);
    updateAverage();
}

void TDBSum::applyDelete(const store::Field* field) {
    if (m_groupOperation != goAvg) {
        m_amount -= contribution(field);
        return;
    }
    m_runningTotal -= contribution(field);
    if (hasValue(field))
        --m_nonNullCount;
    updateAverage();
}

}  // namespace grid
