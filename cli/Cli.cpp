#include "cli/Cli.h"

#include <exception>

namespace cli {

namespace {

void printUsage(std::ostream& stream) {
    printLine(stream, QStringLiteral("usage: itemdesk-cli COMMAND ARGUMENTS"));
    for (const CliCommand& command : cliCommands()) {
        printLine(stream, QStringLiteral("  itemdesk-cli ") + QString::fromUtf8(command.name) +
                              u' ' + QString::fromUtf8(command.usage));
    }
}

}  // namespace

void printLine(std::ostream& stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    stream.write(utf8.constData(), utf8.size());
    stream.put('\n');
}

void expectArguments(const QStringList& arguments, int least, int most) {
    if (arguments.size() < least || arguments.size() > most)
        throw UsageError(QStringLiteral("wrong number of arguments"));
}

int runCli(const QStringList& arguments, Console& console) {
    if (arguments.isEmpty()) {
        printUsage(console.err);
        return 1;
    }
    for (const CliCommand& command : cliCommands()) {
        if (arguments.front() != QString::fromUtf8(command.name))
            continue;
        try {
            const int status = command.run(arguments.mid(1), console);
            console.out.flush();
            return status;
        } catch (const UsageError& error) {
            printLine(console.err, error.message());
            printLine(console.err, QStringLiteral("usage: itemdesk-cli ") +
                                       QString::fromUtf8(command.name) + u' ' +
                                       QString::fromUtf8(command.usage));
        } catch (const store::Error& error) {
            printLine(console.err, error.message());
        } catch (const std::exception& error) {
            printLine(console.err, QString::fromUtf8(error.what()));
        }
        console.out.flush();
        return 1;
    }
    printLine(console.err, QStringLiteral("unknown command: ") + arguments.front());
    printUsage(console.err);
    return 1;
}

}  // namespace cli
