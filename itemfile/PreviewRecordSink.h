#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>

#include <QChar>
#include <QString>

#include "itemfile/ImportFields.h"
#include "itemfile/RecordSink.h"
#include "store/Sqlite.h"

namespace store {
class Progress;
class Query;
}  // namespace store

namespace itemfile {

class ItemFileReader;

// Where an import would stop, and why.
struct ImportProblem {
    int lineNumber = 0;   // the file's line, counting the header as 1; 0 for none
    int fieldNumber = 0;  // the field's position in its record, from 1; 0 for none
    QString fieldName;    // empty when the record has no field at that position
    QString message;
};

// Follows an import without storing anything: settles records as the item
// query would (a record is added when the next one starts if any of its fields
// was set, and at the end if its first field is set), converts every field
// with the import's own rules, and predicts the IDs the engine would give or
// refuse. Notes the first problem that would stop the import and what was
// added before it, then goes on counting the records of the file.
class PreviewRecordSink : public RecordSink {
public:
    // Reads, through the item query's connection, which IDs the table holds.
    PreviewRecordSink(store::Query& query, store::Progress& progress, QChar decimalSeparator);

    // The reader whose line numbers the problem reports.
    void watch(const ItemFileReader& reader) { m_reader = &reader; }

    void startRecord() override;
    void storeField(int index, QStringView text) override;
    // Shows the import's progress.
    void lineHandled(int recordCount) override;
    // Ends the last record as the import does.
    void settle();

    // Records with at least one field, which the import adds unless it stops.
    int recordCount() const { return m_recordCount; }
    // Records added before the first problem (all of them without one).
    int keptCount() const { return m_keptCount; }
    const std::optional<ImportProblem>& problem() const { return m_problem; }

private:
    void post();
    bool idTaken(std::int64_t id);
    void noteProblem(int fieldIndex, const QString& message);

    store::Query& m_query;
    store::Progress& m_progress;
    ImportFields m_fields;
    const ItemFileReader* m_reader = nullptr;
    bool m_canModify;
    store::StatementHandle m_findId;
    std::int64_t m_highestId = 0;
    std::unordered_set<std::int64_t> m_addedIds;

    bool m_filling = false;      // a record has been started and not settled
    bool m_counted = false;      // the record is among recordCount()
    bool m_fieldStored = false;  // a field of the record was set
    bool m_firstFieldSet = false;
    std::optional<std::int64_t> m_id;  // the record's ID; none for an automatic one
    int m_recordCount = 0;
    int m_keptCount = 0;
    std::optional<ImportProblem> m_problem;
};

}  // namespace itemfile
