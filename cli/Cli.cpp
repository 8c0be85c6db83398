#include "cli/Cli.h"

#include <exception>

#include <QCommandLineParser>

#include "cli/CommandLine.h"
#include "cli/HelpText.h"

namespace cli {

namespace {

using namespace Qt::StringLiterals;

void printText(std::ostream& stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    stream.write(utf8.constData(), utf8.size());
}

// A usage error of the program itself, before any command.
int programUsageError(const QString& message, Console& console) {
    printLine(console.err, u"itemdesk-cli: "_s + message);
    printText(console.err, programHelp());
    return 1;
}

int runCommand(const CliCommand& command, const QStringList& arguments, Console& console) {
    try {
        const CommandLine line = CommandLine::parse(command, arguments);
        if (line.helpRequested()) {
            printText(console.out, commandHelp(command));
            console.out.flush();
            return 0;
        }
        const int status = command.run(line, console);
        console.out.flush();
        return status;
    } catch (const UsageError& error) {
        printLine(console.err, u"itemdesk-cli "_s + command.name + u": "_s + error.message());
        printText(console.err, commandUsage(command));
        printLine(console.err, u"Run 'itemdesk-cli "_s + command.name +
                                   u" --help' for its options and an example."_s);
    } catch (const store::Error& error) {
        printLine(console.err, error.message());
    } catch (const std::exception& error) {
        printLine(console.err, QString::fromUtf8(error.what()));
    }
    console.out.flush();
    return 1;
}

}  // namespace

void printLine(std::ostream& stream, const QString& text) {
    printText(stream, text + u'\n');
}

const CliCommand* findCliCommand(const QString& name) {
    for (const CliCommand& command : cliCommands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

int helpCommand(const CommandLine& line, Console& console) {
    const QString name = line.argument(0);
    if (name.isEmpty()) {
        printText(console.out, programHelp());
        return 0;
    }
    const CliCommand* command = findCliCommand(name);
    if (command == nullptr)
        throw UsageError(u"unknown command: "_s + name);
    printText(console.out, commandHelp(*command));
    return 0;
}

int runCli(const QStringList& arguments, Console& console) {
    // The program's own options come before the command; everything from the
    // command on belongs to the command.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(u"version"_s);
    parser.addOptions({help, version});
    const bool parsed = parser.parse(QStringList{u"itemdesk-cli"_s} + arguments);
    if (parser.isSet(help)) {
        printText(console.out, programHelp());
        return 0;
    }
    if (!parsed)
        return programUsageError(usageErrorText(parser, arguments), console);
    if (parser.isSet(version)) {
        printText(console.out, versionText());
        return 0;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return programUsageError(u"no command given"_s, console);
    const CliCommand* command = findCliCommand(rest.front());
    if (command == nullptr)
        return programUsageError(u"unknown command: "_s + rest.front(), console);
    return runCommand(*command, rest.mid(1), console);
}

}  // namespace cli
