#include "itemfile/ItemFileImport.h"

#include <bit>

#include <QStringList>
#include <QtEndian>

#include "itemfile/ImportProgress.h"
#include "itemfile/InputFile.h"
#include "itemfile/QueryRecordSink.h"
#include "store/Connection.h"
#include "store/Error.h"
#include "store/Locale.h"
#include "store/Progress.h"
#include "store/Query.h"
#include "store/ReadSnapshot.h"

namespace itemfile {

namespace {

void readByteOrderMark(InputFile& file) {
    unsigned char mark[2] = {};
    if (file.read(reinterpret_cast<char*>(mark), sizeof mark) != sizeof mark || mark[0] != 0xFF ||
        mark[1] != 0xFE) {
        throw store::Error(QStringLiteral("不是UTF-16格式的宝贝文件！"));
    }
}

// Counts the records that the item query posts while the import runs.
class PostCounter {
public:
    explicit PostCounter(store::Query& query) : m_query(query), m_previous(query.afterPost) {
        query.afterPost = [this](store::Query& posted) {
            ++m_count;
            if (m_previous) {
                m_previous(posted);
            }
        };
    }
    ~PostCounter() { m_query.afterPost = m_previous; }
    PostCounter(const PostCounter&) = delete;
    PostCounter& operator=(const PostCounter&) = delete;

    int count() const { return m_count; }

private:
    store::Query& m_query;
    store::Query::Notify m_previous;
    int m_count = 0;
};

// The header line an export writes: every field name but the last (ID),
// joined by TAB.
QString exportedHeader(const store::Query& query) {
    QStringList names;
    for (int i = 0; i + 1 < query.fieldCount(); ++i) {
        names << query.field(i).name();
    }
    return names.join(u'\t');
}

void readRecords(InputFile& file, ItemFileReader& reader) {
    const int chunkBytes = reader.limits().chunkBytes;
    QString chunk(chunkBytes / 2, Qt::Uninitialized);
    for (;;) {
        const std::size_t bytes =
            file.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::size_t>(chunkBytes));
        // An odd last byte of the file is no character.
        const qsizetype characters = static_cast<qsizetype>(bytes / 2);
        if constexpr (std::endian::native == std::endian::big) {
            for (qsizetype i = 0; i < characters; ++i) {
                chunk[i] = QChar(qFromLittleEndian(chunk[i].unicode()));
            }
        }
        if (characters > 0) {
            reader.addChunk(QStringView(chunk).first(characters));
        }
        if (bytes < static_cast<std::size_t>(chunkBytes)) {
            break;
        }
    }
    reader.finish();
}

}  // namespace

ImportError::ImportError(const QString& message, int lineNumber, int keptCount)
    : store::Error(message), m_lineNumber(lineNumber), m_keptCount(keptCount) {}

ImportResult importItemFile(const QString& path, store::Query& itemQuery, int importColumnCount,
                            store::Progress& progress, const std::function<void()>& reportSuccess,
                            const ReaderLimits& limits) {
    const store::CloseProgressOnExit closeProgress(progress);
    startImportProgress(progress);

    InputFile file(path);
    readByteOrderMark(file);

    ImportResult result;
    {
        store::Connection::Batch batch(itemQuery.connection());
        const PostCounter posts(itemQuery);
        QueryRecordSink sink(itemQuery, progress, store::Locale::current().decimalSeparator);
        ItemFileReader reader(sink, importColumnCount, limits);
        reader.skipRepeatedHeader(exportedHeader(itemQuery));
        // Records posted before a failure stay; the one being filled, or the
        // one whose post failed, is cancelled, so that no later refresh or
        // move posts half a record. A record that the user was editing before
        // the first line was read is left as it is.
        const auto cancelPartRecord = [&] {
            if (reader.recordCount() > 0) {
                itemQuery.cancel();
            }
        };
        bool settled = false;
        try {
            readRecords(file, reader);
            sink.settle();
            settled = true;
            result.recordCount = reader.recordCount();
            result.postedCount = posts.count();
            batch.commit();
        } catch (const store::Error& error) {
            cancelPartRecord();
            // A commit that fails here too undoes every record of the file.
            const int kept = batch.keepAfterFailure() ? posts.count() : 0;
            throw ImportError(error.message(), settled ? 0 : reader.lineNumber(), kept);
        } catch (...) {
            cancelPartRecord();
            throw;
        }
    }
    if (reportSuccess) {
        reportSuccess();
    }
    return result;
}

ImportPreview previewItemFileImport(const QString& path, store::Query& itemQuery,
                                    int importColumnCount, store::Progress& progress,
                                    const ReaderLimits& limits) {
    const store::ReadSnapshot snapshot(itemQuery.connection());
    const store::CloseProgressOnExit closeProgress(progress);
    startImportProgress(progress);
    ImportPreview preview;
    std::optional<InputFile> file;
    try {
        file.emplace(path);
        readByteOrderMark(*file);
    } catch (const store::Error& error) {
        preview.problem.emplace().message = error.message();
        return preview;
    }
    PreviewRecordSink sink(itemQuery, progress, store::Locale::current().decimalSeparator);
    ItemFileReader reader(sink, importColumnCount, limits);
    sink.watch(reader);
    reader.skipRepeatedHeader(exportedHeader(itemQuery));
    readRecords(*file, reader);
    sink.settle();
    preview.recordCount = sink.recordCount();
    preview.keptCount = sink.keptCount();
    preview.problem = sink.problem();
    return preview;
}

}  // namespace itemfile
