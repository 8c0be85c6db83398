#include "cli/DryRun.h"

#include <QJsonDocument>

#include "cli/CommandLine.h"

namespace cli {

using namespace Qt::StringLiterals;

bool dryRunRequested(const CommandLine& line) {
    const bool dryRun = line.isSet(u"dry-run"_s);
    if (!dryRun && line.isSet(u"json"_s))
        throw UsageError(u"--json is for the summary of --dry-run"_s);
    return dryRun;
}

bool jsonRequested(const CommandLine& line) {
    return line.isSet(u"json"_s);
}

void printJson(std::ostream& stream, const QJsonObject& summary) {
    printLine(stream, QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)));
}

}  // namespace cli
