#pragma once

#include <ostream>
#include <vector>

#include <QString>
#include <QStringList>

#include "store/Error.h"

namespace cli {

// Where a command writes: results on `out`, errors and progress on `err`,
// both UTF-8.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

// One subcommand: its name, its argument summary and what it does. A command
// returns the exit status; failures are raised as store::Error.
struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const QStringList& arguments, Console& console);
};

// Every command of itemdesk-cli, in the order the usage text lists them.
const std::vector<CliCommand>& cliCommands();

// A wrong command line; shown with the usage text.
class UsageError : public store::Error {
public:
    using store::Error::Error;
};

// Writes a text followed by a newline.
void printLine(std::ostream& stream, const QString& text);
// Throws UsageError unless the argument count lies in [least, most].
void expectArguments(const QStringList& arguments, int least, int most);

}  // namespace cli
