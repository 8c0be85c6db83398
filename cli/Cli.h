#pragma once

#include <QStringList>

#include "cli/CliCommand.h"

namespace cli {

// Runs itemdesk-cli with its arguments (without the program name): 0 on
// success; on failure the message on console.err and 1.
int runCli(const QStringList& arguments, Console& console);

}  // namespace cli
