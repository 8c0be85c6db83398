#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/FilteredItems.h"
#include "cli/TerminalProgress.h"
#include "template/FindPostageTemplate.h"
#include "template/TemplateAssignment.h"

namespace cli {

// templates DB [--where TEXT | --filter COLUMN=TEXT...]: sets 邮费模版ID of
// every record that passes the filter from its description file.
int templatesCommand(const CommandLine& line, Console& console) {
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
