#pragma once

#include <ostream>
#include <vector>

#include <QString>
#include <QStringList>

#include "store/Error.h"

namespace cli {

class CommandLine;

// Where a command writes: results on `out`, errors and progress on `err`,
// both UTF-8.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

// A positional argument. Optional ones come after the required ones and
// stand for their default when left out.
struct CliArgument {
    QString name;
    QString description;
    bool optional = false;
    QString defaultValue = {};
};

// An option, given as --name VALUE or --name=VALUE, or as a switch --name
// when it has no value name. An option given twice keeps both values
// (CommandLine::values); CommandLine::value reads the last one.
struct CliOption {
    QString name;
    QString valueName;
    QString description;
    QString defaultValue = {};
    // The values the option accepts; empty for any value.
    QStringList choices = {};
};

// One subcommand, with everything its help text shows. A command returns the
// exit status; failures are raised as store::Error, wrong command lines as
// UsageError.
struct CliCommand {
    QString name;
    QString summary;
    std::vector<CliArgument> arguments;
    std::vector<CliOption> options;
    QString example;
    int (*run)(const CommandLine& line, Console& console);
};

// Every command of itemdesk-cli, in the order the help text lists them.
const std::vector<CliCommand>& cliCommands();
// The command of that name, or null.
const CliCommand* findCliCommand(const QString& name);

// A wrong command line; shown with the command's usage.
class UsageError : public store::Error {
public:
    using store::Error::Error;
};

// Writes a text followed by a newline.
void printLine(std::ostream& stream, const QString& text);

}  // namespace cli
