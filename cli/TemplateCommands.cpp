#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/FilteredItems.h"
#include "cli/PreviewReports.h"
#include "cli/TerminalProgress.h"
#include "template/FindPostageTemplate.h"
#include "template/TemplateAssignment.h"
#include "template/TemplatePreview.h"

namespace cli {

namespace {

// templates DB --dry-run [--json]: what templates would do, read from a
// database opened read-only.
int templatesDryRun(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    openFilteredItems(database, line, store::Access::ReadOnly);
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    const postage::TemplatePreview preview =
        postage::previewPostageTemplates(database.itemQuery, progress);
    progress.close();  // the counts line ends before the summary starts
    printTemplatesPreview(preview, jsonRequested(line), console);
    return 0;
}

}  // namespace

// templates DB [--where TEXT | --filter COLUMN=TEXT...]: sets 邮费模版ID of
// every record that passes the filter from its description file.
int templatesCommand(const CommandLine& line, Console& console) {
    if (dryRunRequested(line))
        return templatesDryRun(line, console);
    store::ItemDatabase database;
    openFilteredItems(database, line);
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    postage::assignPostageTemplates(database.itemQuery, progress, [&] {
        progress.close();  // the counts line ends before the message starts
        printLine(console.out, QStringLiteral("已成功生成模板"));
    });
    return 0;
}

// weight FILE: the template id of one description file; an empty line for none.
int weightCommand(const CommandLine& line, Console& console) {
    postage::PostageTemplateFinder finder;
    printLine(console.out, finder.FindPostageTemplate(line.argument(0)));
    return 0;
}

}  // namespace cli
