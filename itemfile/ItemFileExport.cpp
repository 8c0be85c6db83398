#include "itemfile/ItemFileExport.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <vector>

#include "itemfile/ExportFile.h"
#include "itemfile/ItemFileWriter.h"
#include "store/Connection.h"
#include "store/Error.h"
#include "store/Field.h"
#include "store/Progress.h"
#include "store/Query.h"
#include "store/ReadSnapshot.h"

namespace itemfile {

namespace {

// Records read at a time: few enough that their values stay in memory the
// allocator keeps, instead of fresh pages for every read.
constexpr int kRecordsPerRead = 64;

// Every field of the query but the last one, the row identity.
std::vector<ExportColumn> exportColumns(const store::Query& query) {
    std::vector<ExportColumn> columns;
    for (int i = 0; i + 1 < query.fieldCount(); ++i) {
        columns.push_back({query.field(i).name(), query.field(i).kind()});
    }
    return columns;
}

}  // namespace

QString exportFileName(const QString& chosenName) {
    const QString extension = QStringLiteral(".csv");
    return chosenName.endsWith(extension, Qt::CaseSensitive) ? chosenName : chosenName + extension;
}

QString existingFileQuestion() {
    return QStringLiteral(
        "当前保存文件已经存在，继续下载将重写或者合并该文件！\r\n"
        "下载之前，建议将该文件转移到其它位置或者重命名该名件。\r\n"
        "\r\n"
        "选择“是”：将重写已有文件，该文件原有内容将丢失。\r\n"
        "选择“否”：将合并已有文件，数据将会追加到该文件末尾。\r\n"
        "选择“取消”：暂时退出不下载。");
}

// Clean-up order in every outcome: the write buffer, then the file (which
// releases the lock), then the progress window. Success is reported only once
// the file is closed and has its name, so that a failure to store the last
// bytes is never reported as success.
void exportItemFile(const QString& path, ExportVariant variant, ExistingFile existing,
                    store::Query& itemQuery, store::Progress& progress, const ExportHooks& hooks) {
    const store::CloseProgressOnExit closeProgress(progress);
    ExportFile file(path, existing, {itemQuery.connection().databasePath()});
    const std::vector<ExportColumn> columns = exportColumns(itemQuery);
    ItemFileWriter writer(file, variant, columns);

    if (hooks.beforeWriting) {
        hooks.beforeWriting();
    }
    progress.setPosition(0);
    progress.show();
    writer.addMark();

    {
        // One state of the table for the whole walk, whatever other processes do.
        const store::ReadSnapshot snapshot(itemQuery);
        // The snapshot posts a record being inserted first: it is written too.
        itemQuery.first();
        const int recordCount = itemQuery.recordCount();
        progress.setMaximum(recordCount);
        // Records are read a block at a time without moving the cursor, which
        // ends on the last record as a walk record by record would leave it.
        const int columnCount = static_cast<int>(columns.size());
        std::vector<int> fields(columns.size());
        std::iota(fields.begin(), fields.end(), 0);
        for (int first = 0; first < recordCount; first += kRecordsPerRead) {
            const int count = std::min(kRecordsPerRead, recordCount - first);
            const std::vector<QVariant> values = itemQuery.rowValues(first, count, fields);
            for (int record = 0; record < count; ++record) {
                if (first + record == 0) {
                    writer.addHeader();
                    writer.flush();
                }
                writer.addRecord(std::span(values).subspan(
                    static_cast<std::size_t>(record * columnCount), columns.size()));
                writer.flush();
                progress.step();
                progress.showCounts();
            }
        }
        itemQuery.last();
    }
    file.finish();

    if (hooks.reportSuccess) {
        hooks.reportSuccess(QStringLiteral("已导出至 ") + path);
    }
}

}  // namespace itemfile
