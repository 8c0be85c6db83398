#pragma once

#include <QString>

#include "cli/CliCommand.h"

namespace cli {

// "usage: itemdesk-cli NAME ARGUMENTS [OPTIONS]", wrapped, for usage errors
// and the top of the command's help.
QString commandUsage(const CliCommand& command);
// The command's usage, what it does, its arguments and options with their
// meaning and defaults, and one example.
QString commandHelp(const CliCommand& command);
// The usage of itemdesk-cli and its commands, one line each.
QString programHelp();
// The program's name and the project's version.
QString versionText();

}  // namespace cli
