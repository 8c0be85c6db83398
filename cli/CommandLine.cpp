#include "cli/CommandLine.h"

#include <limits>

#include <QCommandLineParser>

namespace cli {

namespace {

using namespace Qt::StringLiterals;

int wholeNumber(const QString& what, const QString& text, int least, int most) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok && number >= least && number <= most)
        return number;
    const QString range = most == std::numeric_limits<int>::max()
                              ? u"of at least %1"_s.arg(least)
                              : u"from %1 to %2"_s.arg(least).arg(most);
    throw UsageError(what + u" must be a whole number "_s + range + u": "_s + text);
}

}  // namespace

QString usageErrorText(const QCommandLineParser& parser, const QStringList& arguments) {
    if (parser.unknownOptionNames().isEmpty()) {
        // The parser's messages read "Missing value after '--columns'.".
        QString message = parser.errorText();
        if (message.endsWith(u'.'))
            message.chop(1);
        if (!message.isEmpty())
            message[0] = message[0].toLower();
        return message;
    }
    // Name the option as it was typed, dashes and all.
    const QString name = parser.unknownOptionNames().front();
    for (const QString& argument : arguments) {
        if (argument == u"--"_s)
            break;
        const QString typed = argument.section(u'=', 0, 0);
        QString bare = typed;
        while (bare.startsWith(u'-'))
            bare.remove(0, 1);
        if (typed.startsWith(u'-') && bare == name)
            return u"unknown option: "_s + typed;
    }
    return u"unknown option: "_s + name;
}

CommandLine CommandLine::parse(const CliCommand& command, const QStringList& arguments) {
    QCommandLineParser parser;
    // Long options only, so that "-x.tab" is one unknown option and not five.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    parser.addOption(help);
    for (const CliOption& option : command.options)
        parser.addOption(QCommandLineOption(option.name, option.description, option.valueName));

    // The parser skips the first element as the program's name.
    const bool parsed = parser.parse(QStringList{command.name} + arguments);
    CommandLine line(command);
    if (parser.isSet(help)) {
        line.m_helpRequested = true;
        return line;
    }
    if (!parsed)
        throw UsageError(usageErrorText(parser, arguments));

    for (const CliOption& option : command.options) {
        if (!parser.isSet(option.name))
            continue;
        const QStringList given =
            option.valueName.isEmpty() ? QStringList{QString()} : parser.values(option.name);
        for (const QString& value : given) {
            if (!option.choices.isEmpty() && !option.choices.contains(value))
                throw UsageError(u"--%1 must be one of %2: %3"_s.arg(
                    option.name, option.choices.join(u", "_s), value));
        }
        line.m_values.insert(option.name, given);
    }

    line.m_arguments = parser.positionalArguments();
    qsizetype required = 0;
    for (const CliArgument& argument : command.arguments)
        required += argument.optional ? 0 : 1;
    const auto given = line.m_arguments.size();
    if (given < required)
        throw UsageError(u"missing argument: "_s + command.arguments[given].name);
    if (given > static_cast<qsizetype>(command.arguments.size()))
        throw UsageError(u"unexpected argument: "_s +
                         line.m_arguments[static_cast<qsizetype>(command.arguments.size())]);
    return line;
}

QString CommandLine::argument(qsizetype index) const {
    if (index < m_arguments.size())
        return m_arguments[index];
    return m_command->arguments.at(static_cast<std::size_t>(index)).defaultValue;
}

int CommandLine::numberArgument(qsizetype index, int least, int most) const {
    return wholeNumber(m_command->arguments.at(static_cast<std::size_t>(index)).name,
                       argument(index), least, most);
}

QString CommandLine::value(const QString& name) const {
    const QStringList given = m_values.value(name);
    return given.isEmpty() ? option(name).defaultValue : given.back();
}

int CommandLine::numberValue(const QString& name, int least, int most) const {
    return wholeNumber(u"--"_s + name, value(name), least, most);
}

const CliOption& CommandLine::option(const QString& name) const {
    for (const CliOption& option : m_command->options) {
        if (option.name == name)
            return option;
    }
    throw store::Error(u"no option --"_s + name + u" in command "_s + m_command->name);
}

}  // namespace cli
