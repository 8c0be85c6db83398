#include "cli/CliCommand.h"

namespace cli {

int createCommand(const QStringList& arguments, Console& console);
int demoCommand(const QStringList& arguments, Console& console);
int countCommand(const QStringList& arguments, Console& console);
int dumpCommand(const QStringList& arguments, Console& console);
int clearCommand(const QStringList& arguments, Console& console);
int dedupeCommand(const QStringList& arguments, Console& console);
int importCommand(const QStringList& arguments, Console& console);
int exportCommand(const QStringList& arguments, Console& console);

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        {"create", "DB", createCommand},
        {"demo", "DB [N]", demoCommand},
        {"count", "DB [--filter TEXT]", countCommand},
        {"dump", "DB [--filter TEXT]", dumpCommand},
        {"clear", "DB", clearCommand},
        {"dedupe", "DB", dedupeCommand},
        {"import", "DB FILE [--columns N]", importCommand},
        {"export", "DB FILE [--variant tab|comma|gb2312] [--existing overwrite|append]",
         exportCommand},
    };
    return commands;
}

}  // namespace cli
