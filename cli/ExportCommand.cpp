#include <optional>

#include <QFileInfo>

#include "cli/CliCommand.h"
#include "cli/OpenItemDatabase.h"
#include "cli/TerminalProgress.h"
#include "itemfile/ItemFileExport.h"

namespace cli {

namespace {

struct ExportOptions {
    itemfile::ExportVariant variant = itemfile::ExportVariant::Tab;
    std::optional<itemfile::ExistingFile> existing;
};

ExportOptions exportOptions(const QStringList& arguments) {
    ExportOptions options;
    for (qsizetype i = 2; i < arguments.size(); i += 2) {
        const QString& option = arguments[i];
        if (i + 1 == arguments.size()) {
            throw UsageError(option + QStringLiteral(" needs a value"));
        }
        const QString& value = arguments[i + 1];
        if (option == QStringLiteral("--variant") && value == QStringLiteral("tab")) {
            options.variant = itemfile::ExportVariant::Tab;
        } else if (option == QStringLiteral("--variant") && value == QStringLiteral("comma")) {
            options.variant = itemfile::ExportVariant::Comma;
        } else if (option == QStringLiteral("--variant") && value == QStringLiteral("gb2312")) {
            options.variant = itemfile::ExportVariant::QuotedComma;
        } else if (option == QStringLiteral("--existing") && value == QStringLiteral("overwrite")) {
            options.existing = itemfile::ExistingFile::Overwrite;
        } else if (option == QStringLiteral("--existing") && value == QStringLiteral("append")) {
            options.existing = itemfile::ExistingFile::Append;
        } else {
            throw UsageError(QStringLiteral("unknown option: ") + option + u' ' + value);
        }
    }
    return options;
}

}  // namespace

// export DB FILE [--variant tab|comma|gb2312] [--existing overwrite|append]:
// writes exactly FILE; an existing FILE needs --existing.
int exportCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 2, 6);
    const ExportOptions options = exportOptions(arguments);
    const QString& path = arguments[1];
    if (!options.existing && QFileInfo::exists(path)) {
        throw store::Error(
            QStringLiteral("文件已存在：") + path +
            QStringLiteral("（用 --existing overwrite 重写或 --existing append 追加）"));
    }
    store::ItemDatabase database;
    openItemDatabase(database, arguments[0]);
    TerminalProgress progress(console);
    itemfile::exportItemFile(
        path, options.variant, options.existing.value_or(itemfile::ExistingFile::Create),
        database.itemQuery, progress,
        {{}, [&](const QString& message) { printLine(console.out, message); }});
    return 0;
}

}  // namespace cli
