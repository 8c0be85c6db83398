#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "cli/CliCommand.h"

class QCommandLineParser;

namespace cli {

// The arguments and options of one command, read against its table entry.
// Every accessor that converts a value raises UsageError when it does not fit.
class CommandLine {
public:
    // Reads the arguments after the command name: options anywhere, "--"
    // ends them. Raises UsageError for an unknown option, a missing or
    // unexpected value, a value outside the option's choices, and a missing
    // or extra argument; with -h or --help only the help request counts.
    static CommandLine parse(const CliCommand& command, const QStringList& arguments);

    bool helpRequested() const { return m_helpRequested; }

    // The positional argument at index, or its default when it was left out.
    QString argument(qsizetype index) const;
    // The argument as a whole number in [least, most].
    int numberArgument(qsizetype index, int least, int most) const;

    bool isSet(const QString& option) const { return m_values.contains(option); }
    // The last value given for the option, or its default.
    QString value(const QString& option) const;
    // Every value given for the option, in command-line order.
    QStringList values(const QString& option) const { return m_values.value(option); }
    // The option's value as a whole number in [least, most].
    int numberValue(const QString& option, int least, int most) const;

private:
    explicit CommandLine(const CliCommand& command) : m_command(&command) {}
    const CliOption& option(const QString& name) const;

    const CliCommand* m_command;
    bool m_helpRequested = false;
    QStringList m_arguments;
    QHash<QString, QStringList> m_values;
};

// The failure of parser.parse(arguments) as a usage error text, such as
// "unknown option: --rows" or "missing value after '--columns'".
QString usageErrorText(const QCommandLineParser& parser, const QStringList& arguments);

}  // namespace cli
