#pragma once

#include <cstdint>

#include <QString>
#include <QVariant>

namespace store {
class Field;
}

namespace grid {

class TDBSumCollection;

enum TGroupOperation { goSum, goAvg, goCount };

// One aggregate of a sum list: the sum, average or count of a field over the
// records of the dataset, or a plain record count when it has no field name.
// Amounts hold the value times 10 000 (four decimal places); a count of n is
// n x 10 000.
//
// The item keeps what the current record contributed before it was edited or
// inserted, so that a post adjusts the aggregate by the one record's
// difference instead of recounting.
class TDBSum {
public:
    explicit TDBSum(TDBSumCollection& collection);
    TDBSum(const TDBSum&) = delete;
    TDBSum& operator=(const TDBSum&) = delete;

    TDBSumCollection& collection() const { return m_collection; }

    // Empty for a plain record count. Setting another value marks the collection changed.
    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& fieldName);
    TGroupOperation groupOperation() const { return m_groupOperation; }
    void setGroupOperation(TGroupOperation groupOperation);

    std::int64_t amount() const { return m_amount; }
    std::int64_t priorContribution() const { return m_priorContribution; }
    const QVariant& priorFieldValue() const { return m_priorFieldValue; }
    int nonNullCount() const { return m_nonNullCount; }
    std::int64_t runningTotal() const { return m_runningTotal; }

    // Whether the item reads records at all: a count, or an item with a field.
    bool readsRecords() const;

    void resetValues();
    // One record of a full recount; `field` is the item's field in the
    // dataset, none when it has no field name or the dataset lacks the field.
    void accumulate(const store::Field* field);
    // Ends a full recount: the average's quotient.
    void finishRecount();

    // The current record enters editing, or a new empty record is inserted.
    void rememberEdited(const store::Field* field);
    void rememberInserted(const store::Field* field);
    // The current record was posted.
    void applyPost(const store::Field* field);
    // The current record is about to be deleted.
    void applyDelete(const store::Field* field);

private:
    // What the current record adds to the aggregate: for a sum or average
    // the scaled value (0 for null), for a count 10 000 or 0.
    std::int64_t contribution(const store::Field* field) const;
    void updateAverage();

    TDBSumCollection& m_collection;
    QString m_fieldName;
    TGroupOperation m_groupOperation = goSum;
    std::int64_t m_amount = 0;
    std::int64_t m_priorContribution = 0;
    QVariant m_priorFieldValue;
    int m_nonNullCount = 0;
    std::int64_t m_runningTotal = 0;
};

}  // namespace grid
