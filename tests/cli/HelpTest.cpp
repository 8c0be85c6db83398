#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "cli/CommandLine.h"
#include "cli/HelpText.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;

// The words of a command line as a shell splits it, with '...' and "..."
// quoting.
QStringList shellWords(const QString& commandLine) {
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (const QChar c : commandLine) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            inWord = true;
        } else if (c == u' ') {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

class Help : public CliFixture {};

TEST_F(Help, EveryCommandDescribesItsArgumentsOptionsAndAValidExample) {
    for (const cli::CliCommand& command : cli::cliCommands()) {
        SCOPED_TRACE(command.name.toStdString());
        ASSERT_EQ(run({command.name, u"--help"_s}), 0);
        EXPECT_TRUE(err().isEmpty());
        const QString help = out();
        EXPECT_TRUE(help.startsWith(u"usage: itemdesk-cli "_s + command.name))
            << help.toStdString();
        for (const cli::CliArgument& argument : command.arguments)
            EXPECT_TRUE(help.contains(u"\n  "_s + argument.name + u' '))
                << argument.name.toStdString();
        for (const cli::CliOption& option : command.options) {
            EXPECT_TRUE(help.contains(u"\n  --"_s + option.name)) << option.name.toStdString();
            if (!option.defaultValue.isEmpty()) {
                EXPECT_TRUE(help.contains(u"(default: "_s + option.defaultValue + u')'));
            }
        }
        EXPECT_TRUE(help.contains(u"\n  -h, --help "_s));

        ASSERT_EQ(run({u"help"_s, command.name}), 0);
        EXPECT_EQ(out(), help);
        ASSERT_EQ(run({command.name, u"-h"_s}), 0);
        EXPECT_EQ(out(), help);

        // The example is a command line that the command accepts.
        const QStringList example = shellWords(help.section(u"Example:\n  "_s, 1).trimmed());
        ASSERT_GE(example.size(), 2);
        EXPECT_EQ(example.mid(0, 2), (QStringList{u"itemdesk-cli"_s, command.name}));
        EXPECT_NO_THROW((void)cli::CommandLine::parse(command, example.mid(2)))
            << example.join(u' ').toStdString();
    }
}

TEST_F(Help, ProgramHelpListsEveryCommandOnStandardOutput) {
    ASSERT_EQ(run({u"--help"_s}), 0);
    const QString help = out();
    for (const cli::CliCommand& command : cli::cliCommands())
        EXPECT_TRUE(help.contains(u"\n  "_s + command.name)) << command.name.toStdString();
    for (const QStringList& arguments :
         {QStringList{u"-h"_s}, QStringList{u"help"_s}, QStringList{u"--help"_s, u"import"_s}}) {
        EXPECT_EQ(run(arguments), 0);
        EXPECT_EQ(out(), help) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(err().isEmpty());
    }
    ASSERT_EQ(run({u"--version"_s}), 0);
    EXPECT_TRUE(QRegularExpression(u"^itemdesk-cli \\(ItemDesk\\) \\d+\\.\\d+\\S*\n$"_s)
                    .match(out())
                    .hasMatch())
        << out().toStdString();
}

TEST_F(Help, UsageErrorsGoToStandardErrorWithTheUsage) {
    for (const auto& [arguments, error, usage] :
         {std::tuple{QStringList{}, u"itemdesk-cli: no command given"_s,
                     u"usage: itemdesk-cli COMMAND"_s},
          std::tuple{QStringList{u"--bogus"_s}, u"itemdesk-cli: unknown option: --bogus"_s,
                     u"usage: itemdesk-cli COMMAND"_s},
          std::tuple{QStringList{u"frobnicate"_s}, u"itemdesk-cli: unknown command: frobnicate"_s,
                     u"usage: itemdesk-cli COMMAND"_s},
          std::tuple{QStringList{u"help"_s, u"frobnicate"_s},
                     u"itemdesk-cli help: unknown command: frobnicate"_s,
                     u"usage: itemdesk-cli help [COMMAND]"_s},
          std::tuple{QStringList{u"create"_s, u"a.mdb"_s, u"b.mdb"_s},
                     u"itemdesk-cli create: unexpected argument: b.mdb"_s,
                     u"usage: itemdesk-cli create DB\n"_s}}) {
        EXPECT_EQ(run(arguments), 1);
        EXPECT_TRUE(out().isEmpty());
        EXPECT_TRUE(err().startsWith(error + u'\n')) << err().toStdString();
        EXPECT_TRUE(err().contains(usage)) << err().toStdString();
    }
}

// The README shows the output of `itemdesk-cli --help` as an indented block
// under the line "    $ itemdesk-cli --help".
TEST(Readme, ShowsTheProgramHelpAsItIs) {
    QFile readme(QStringLiteral(ITEMDESK_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
    const qsizetype start = lines.indexOf(u"    $ itemdesk-cli --help"_s);
    ASSERT_GE(start, 0) << "README.md has no line \"    $ itemdesk-cli --help\"";
    QStringList block;
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
        if (!lines[i].isEmpty() && !lines[i].startsWith(u"    "_s))
            break;
        block << lines[i].mid(4);
    }
    while (!block.isEmpty() && block.back().isEmpty())
        block.removeLast();
    const QString help = cli::programHelp();
    QString indented;
    for (const QString& line : help.trimmed().split(u'\n'))
        indented += (line.isEmpty() ? QString() : u"    "_s + line) + u'\n';
    EXPECT_EQ(block.join(u'\n') + u'\n', help) << "the README's block should read:\n"
                                               << indented.toStdString();
}

TEST_F(Help, DoubleDashLetsAFileNameStartWithADash) {
    testsupport::TempDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path({})));
    EXPECT_EQ(run({u"demo"_s, u"--"_s, u"-d.mdb"_s, u"3"_s}), 0) << err().toStdString();
    EXPECT_EQ(run({u"export"_s, u"--variant=tab"_s, u"--"_s, u"-d.mdb"_s, u"-x.tab"_s}), 0)
        << err().toStdString();
    EXPECT_EQ(run({u"import"_s, u"--columns"_s, u"46"_s, u"--"_s, u"-d.mdb"_s, u"-x.tab"_s}), 0)
        << err().toStdString();
    EXPECT_EQ(out(), u"导入成功\n新增记录：3\n"_s);
    EXPECT_EQ(run({u"import"_s, u"-d.mdb"_s, u"-x.tab"_s}), 1);
    EXPECT_TRUE(err().contains(u"unknown option: -d.mdb"_s)) << err().toStdString();
    QDir::setCurrent(previous);
}

}  // namespace
