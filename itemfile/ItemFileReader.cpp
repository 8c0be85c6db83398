#include "itemfile/ItemFileReader.h"

#include "itemfile/RecordSink.h"

namespace itemfile {

ItemFileReader::ItemFileReader(RecordSink& sink, int columnCount, ReaderLimits limits)
    : m_sink(sink), m_columnCount(columnCount), m_limits(limits) {}

void ItemFileReader::addChunk(QStringView chunk) {
    if (m_firstChunk) {
        m_firstChunk = false;
        const qsizetype headerEnd = chunk.indexOf(u'\n');
        if (headerEnd >= 0) {
            chunk = chunk.sliced(headerEnd + 1);
            m_lineNumber = 1;
        }
    }
    while (!chunk.isEmpty()) {
        const qsizetype size = std::min<qsizetype>(chunk.size(), m_limits.windowChars);
        addWindow(chunk.first(size));
        chunk = chunk.sliced(size);
    }
}

// Lines that lie wholly inside the window are handled where they stand; only
// a line that began in an earlier window is assembled in the pending text.
void ItemFileReader::addWindow(QStringView window) {
    qsizetype start = 0;
    if (!m_pending.isEmpty()) {
        const qsizetype lineEnd = window.indexOf(u'\n');
        if (lineEnd < 0) {
            m_pending.append(window);
            return;
        }
        m_pending.append(window.first(lineEnd));
        handleLine(m_pending);
        m_pending.resize(0);
        start = lineEnd + 1;
    }
    for (qsizetype lineEnd = window.indexOf(u'\n', start); lineEnd >= 0;
         lineEnd = window.indexOf(u'\n', start)) {
        handleLine(window.sliced(start, lineEnd - start));
        start = lineEnd + 1;
    }
    m_pending.append(window.sliced(start));
}

void ItemFileReader::finish() {
    if (!m_pending.isEmpty()) {
        m_pending.append(u'\r');
        handleLine(m_pending);
        m_pending.resize(0);
    }
}

bool ItemFileReader::isRepeatedHeader(QStringView line) const {
    if (m_header.isEmpty()) {
        return false;
    }
    if (line.startsWith(QChar(0xFEFF))) {
        line = line.sliced(1);
    }
    if (line.endsWith(u'\r')) {
        line.chop(1);
    }
    return line == m_header;
}

void ItemFileReader::handleLine(QStringView line) {
    ++m_lineNumber;
    if (isRepeatedHeader(line)) {
        return;
    }
    if (m_recordCount == 0 || m_fieldIndex >= m_columnCount) {
        m_sink.startRecord();
        m_fieldIndex = 0;
        ++m_recordCount;
        const QStringView rest = takeFields(line);
        m_record.resize(0);
        m_record.append(rest);
    } else {
        // The record's text holds no TAB, so only a TAB in the new line can
        // end a field: lines without one are joined without searching again.
        m_record.append(line);
        if (line.contains(u'\t')) {
            const qsizetype taken = m_record.size() - takeFields(m_record).size();
            m_record.remove(0, taken);
        }
    }
    m_sink.lineHandled(m_recordCount);
}

// The first field needs a TAB behind it. After that a field ends at the next
// TAB or, when no TAB is left, at the next CR; a CR right at the front of
// what is left ends the splitting.
QStringView ItemFileReader::takeFields(QStringView text) {
    qsizetype end = text.indexOf(u'\t');
    if (end < 0) {
        return text;
    }
    qsizetype start = 0;
    bool tabLeft = true;
    for (;;) {
        m_sink.storeField(m_fieldIndex, text.sliced(start, end - start));
        ++m_fieldIndex;
        start = end + 1;
        end = tabLeft ? text.indexOf(u'\t', start) : -1;
        if (end < 0) {
            tabLeft = false;
            end = text.indexOf(u'\r', start);
            if (end <= start) {
                break;
            }
        }
    }
    return text.sliced(start);
}

}  // namespace itemfile
