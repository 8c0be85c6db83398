#include <limits>
#include <utility>

#include <gtest/gtest.h>

#include <QStringList>

#include "cli/CommandLine.h"

namespace {

using namespace Qt::StringLiterals;
using cli::CommandLine;

// A command with every kind of argument and option the parser knows.
const cli::CliCommand& probe() {
    static const cli::CliCommand command{
        .name = u"probe"_s,
        .summary = u"probe"_s,
        .arguments =
            {{.name = u"A"_s, .description = u"a"_s},
             {.name = u"B"_s, .description = u"b"_s, .optional = true, .defaultValue = u"7"_s}},
        .options = {{.name = u"columns"_s,
                     .valueName = u"N"_s,
                     .description = u"n"_s,
                     .defaultValue = u"40"_s},
                    {.name = u"variant"_s,
                     .valueName = u"V"_s,
                     .description = u"v"_s,
                     .choices = {u"tab"_s, u"comma"_s}},
                    {.name = u"where"_s, .valueName = u"W"_s, .description = u"w"_s},
                    {.name = u"dry-run"_s, .valueName = {}, .description = u"d"_s}},
        .example = u"itemdesk-cli probe a"_s,
        .run = nullptr};
    return command;
}

// What one command line reads as: its arguments A and B, --columns, every
// --where, and whether --dry-run was given.
struct Reading {
    QStringList arguments;
    QString a;
    QString b;
    QString columns;
    QStringList where;
    bool dryRun = false;
};

class CommandLineReading : public testing::TestWithParam<Reading> {};

TEST_P(CommandLineReading, ReadsArgumentsOptionsAndDefaults) {
    const Reading& reading = GetParam();
    const CommandLine line = CommandLine::parse(probe(), reading.arguments);
    EXPECT_FALSE(line.helpRequested());
    EXPECT_EQ(line.argument(0), reading.a);
    EXPECT_EQ(line.argument(1), reading.b);
    EXPECT_EQ(line.value(u"columns"_s), reading.columns);
    EXPECT_EQ(line.values(u"where"_s), reading.where);
    EXPECT_EQ(line.isSet(u"dry-run"_s), reading.dryRun);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CommandLineReading,
    testing::Values(
        Reading{{u"a"_s}, u"a"_s, u"7"_s, u"40"_s, {}},
        Reading{{u"a"_s, u"--columns=12"_s}, u"a"_s, u"7"_s, u"12"_s, {}},
        Reading{{u"--columns"_s, u"12"_s, u"a"_s, u"b"_s}, u"a"_s, u"b"_s, u"12"_s, {}},
        Reading{{u"a"_s, u"--columns=1"_s, u"--columns=2"_s}, u"a"_s, u"7"_s, u"2"_s, {}},
        Reading{{u"a"_s, u"--where"_s, u"x=1"_s, u"--where=y=2"_s, u"--dry-run"_s},
                u"a"_s,
                u"7"_s,
                u"40"_s,
                {u"x=1"_s, u"y=2"_s},
                true},
        // After "--" everything is an argument, dashes or not.
        Reading{{u"--"_s, u"-x.tab"_s, u"--columns"_s}, u"-x.tab"_s, u"--columns"_s, u"40"_s, {}},
        Reading{{u"a"_s, u"--where"_s, u"--"_s}, u"a"_s, u"7"_s, u"40"_s, {u"--"_s}}));

struct Refusal {
    QStringList arguments;
    QString message;
};

class CommandLineRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(CommandLineRefusal, RaisesAUsageErrorThatNamesTheFault) {
    try {
        (void)CommandLine::parse(probe(), GetParam().arguments);
        ADD_FAILURE() << "accepted " << GetParam().arguments.join(u' ').toStdString();
    } catch (const cli::UsageError& error) {
        EXPECT_EQ(error.message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CommandLineRefusal,
    testing::Values(Refusal{{}, u"missing argument: A"_s},
                    Refusal{{u"a"_s, u"b"_s, u"c"_s}, u"unexpected argument: c"_s},
                    Refusal{{u"a"_s, u"-x.tab"_s}, u"unknown option: -x.tab"_s},
                    Refusal{{u"a"_s, u"--sort=name"_s}, u"unknown option: --sort"_s},
                    Refusal{{u"a"_s, u"--columns"_s}, u"missing value after '--columns'"_s},
                    Refusal{{u"a"_s, u"--dry-run=yes"_s}, u"unexpected value after '--dry-run'"_s},
                    Refusal{{u"a"_s, u"--variant"_s, u"utf8"_s},
                            u"--variant must be one of tab, comma: utf8"_s},
                    Refusal{{u"a"_s, u"--variant=tab"_s, u"--variant=TAB"_s},
                            u"--variant must be one of tab, comma: TAB"_s}));

TEST(CommandLine, NumbersOutsideTheirRangeAreUsageErrors) {
    for (const auto& [arguments, message] :
         {std::pair{QStringList{u"a"_s, u"--columns="_s},
                    u"--columns must be a whole number from 1 to 200: "_s},
          std::pair{QStringList{u"a"_s, u"--columns=201"_s},
                    u"--columns must be a whole number from 1 to 200: 201"_s}}) {
        const CommandLine line = CommandLine::parse(probe(), arguments);
        try {
            (void)line.numberValue(u"columns"_s, 1, 200);
            ADD_FAILURE() << arguments.join(u' ').toStdString();
        } catch (const cli::UsageError& error) {
            EXPECT_EQ(error.message(), message);
        }
    }
    const CommandLine line = CommandLine::parse(probe(), {u"a"_s, u"--"_s, u"-1"_s});
    EXPECT_THROW((void)line.numberArgument(1, 0, std::numeric_limits<int>::max()), cli::UsageError);
    EXPECT_EQ(CommandLine::parse(probe(), {u"a"_s}).numberArgument(1, 0, 9), 7);
}

TEST(CommandLine, HelpOutranksEveryOtherFault) {
    for (const QStringList& arguments :
         {QStringList{u"--help"_s}, QStringList{u"-h"_s},
          QStringList{u"a"_s, u"b"_s, u"c"_s, u"-h"_s},
          QStringList{u"--variant=utf8"_s, u"--help"_s}, QStringList{u"--sort"_s, u"--help"_s}}) {
        EXPECT_TRUE(CommandLine::parse(probe(), arguments).helpRequested())
            << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(CommandLine::parse(probe(), {u"--"_s, u"--help"_s}).argument(0), u"--help"_s);
}

}  // namespace
