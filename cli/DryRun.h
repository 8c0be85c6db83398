#pragma once

#include <QJsonObject>

#include "cli/CliCommand.h"

namespace cli {

class CommandLine;

// Whether the command line asks for a dry run (--dry-run); --json without it
// is refused.
bool dryRunRequested(const CommandLine& line);
// Whether the dry run's summary goes out as one JSON object (--json).
bool jsonRequested(const CommandLine& line);
// Writes `summary` as one line of compact JSON.
void printJson(std::ostream& stream, const QJsonObject& summary);

}  // namespace cli
