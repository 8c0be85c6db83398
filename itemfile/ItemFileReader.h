#pragma once

#include <QString>
#include <QStringView>

namespace itemfile {

class RecordSink;

// How much of an item file is handled at a time. Only the header rule depends
// on these sizes; the lines, records and fields found never do.
struct ReaderLimits {
    int chunkBytes = 500000;  // even: chunks always hold whole UTF-16 code units
    int windowChars = 50000;
};

// Cuts the text of a tab-separated item file (after its byte-order mark) into
// lines, records and fields. The text arrives in chunks; the first chunk loses
// everything up to and including its first LF (the header line). Each chunk
// is passed on in windows; a line may span any number of chunks and windows.
//
// A line starts a new record when no record has been started yet or the
// current one already has `columnCount` fields; otherwise it continues the
// current record, joined to what that record left after its last field.
//
// Work is linear in the length of the text, however long the lines and
// however many lines a record spans.
class ItemFileReader {
public:
    ItemFileReader(RecordSink& sink, int columnCount, ReaderLimits limits = {});

    const ReaderLimits& limits() const { return m_limits; }

    // A later line that is exactly this header (the names joined by TAB),
    // optionally led by U+FEFF and ended by CR, is skipped: appending exports
    // write a mark and a header line after the old content.
    void skipRepeatedHeader(const QString& header) { m_header = header; }

    void addChunk(QStringView chunk);
    // The whole file has been read: the text still pending is the last line,
    // ended as if a CR followed it, so that its last value is kept.
    void finish();

    int recordCount() const { return m_recordCount; }
    // The file's line being handled, or the last one handled, counting the
    // header as line 1; 0 before any.
    int lineNumber() const { return m_lineNumber; }

private:
    void addWindow(QStringView window);
    void handleLine(QStringView line);
    bool isRepeatedHeader(QStringView line) const;
    // Takes fields from the front of a record's text; returns what is left,
    // which never holds a TAB.
    QStringView takeFields(QStringView text);

    RecordSink& m_sink;
    int m_columnCount;
    ReaderLimits m_limits;
    QString m_header;
    bool m_firstChunk = true;
    QString m_pending;  // text after the last LF seen
    QString m_record;   // what the current record left after its last field
    int m_fieldIndex = 0;
    int m_recordCount = 0;
    int m_lineNumber = 0;
};

}  // namespace itemfile
