#include <optional>

#include <sys/stat.h>

#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/FilteredItems.h"
#include "cli/TerminalProgress.h"
#include "itemfile/ExportFile.h"
#include "itemfile/FileName.h"
#include "itemfile/ItemFileExport.h"

namespace cli {

namespace {

using namespace Qt::StringLiterals;

// The choices of --variant; the command table lists the same names.
itemfile::ExportVariant exportVariant(const QString& name) {
    if (name == u"comma"_s)
        return itemfile::ExportVariant::Comma;
    if (name == u"gb2312"_s)
        return itemfile::ExportVariant::QuotedComma;
    return itemfile::ExportVariant::Tab;
}

std::optional<itemfile::ExistingFile> existingFile(const CommandLine& line) {
    if (!line.isSet(u"existing"_s))
        return std::nullopt;
    return line.value(u"existing"_s) == u"append"_s ? itemfile::ExistingFile::Append
                                                    : itemfile::ExistingFile::Overwrite;
}

}  // namespace

// export DB FILE [--variant tab|comma|gb2312] [--existing overwrite|append]
// [--where TEXT | --filter COLUMN=TEXT...]: writes the records that pass the
// filter to exactly FILE; an existing FILE needs --existing.
int exportCommand(const CommandLine& line, Console& console) {
    const itemfile::ExportVariant variant = exportVariant(line.value(u"variant"_s));
    const std::optional<itemfile::ExistingFile> existing = existingFile(line);
    const QString path = line.argument(1);
    struct stat status = {};
    if (!existing && ::lstat(itemfile::encodeFileName(path).constData(), &status) == 0) {
        throw store::Error(u"文件已存在："_s + path +
                           u"（用 --existing overwrite 重写或 --existing append 追加）"_s);
    }
    store::ItemDatabase database;
    openFilteredItems(database, line);
    TerminalProgress progress(console);
    try {
        itemfile::exportItemFile(path, variant, existing.value_or(itemfile::ExistingFile::Create),
                                 database.itemQuery, progress, {{}, [&](const QString& message) {
                                                                    // The counts line ends before
                                                                    // the message starts.
                                                                    progress.close();
                                                                    printLine(console.out, message);
                                                                }});
    } catch (const itemfile::OpenForWriteError& error) {
        throw store::Error(error.message() + u'\n' + error.reason());
    }
    return 0;
}

}  // namespace cli
