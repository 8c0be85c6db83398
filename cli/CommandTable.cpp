// The commands of itemdesk-cli. To add one, write its function
// `int fooCommand(const CommandLine& line, Console& console)` and add an entry
// below: CommandLine checks the arguments and options listed there and the
// help text shows them. HelpTest then prints the help for the README.
#include "cli/CliCommand.h"
#include "cli/PreviewReports.h"
#include "itemfile/ItemFileImport.h"

namespace cli {

int createCommand(const CommandLine& line, Console& console);
int demoCommand(const CommandLine& line, Console& console);
int countCommand(const CommandLine& line, Console& console);
int dumpCommand(const CommandLine& line, Console& console);
int filterStringCommand(const CommandLine& line, Console& console);
int clearCommand(const CommandLine& line, Console& console);
int dedupeCommand(const CommandLine& line, Console& console);
int importCommand(const CommandLine& line, Console& console);
int exportCommand(const CommandLine& line, Console& console);
int appendCommand(const CommandLine& line, Console& console);
int templatesCommand(const CommandLine& line, Console& console);
int weightCommand(const CommandLine& line, Console& console);
int helpCommand(const CommandLine& line, Console& console);

namespace {

using namespace Qt::StringLiterals;

CliArgument existingDatabase() {
    return {.name = u"DB"_s, .description = u"an existing item database file"_s};
}

CliArgument newDatabase() {
    return {.name = u"DB"_s,
            .description =
                u"the item database file to create; an existing file is left alone "
                "and the command fails"_s};
}

CliOption whereOption(const QString& what) {
    return {.name = u"where"_s,
            .valueName = u"TEXT"_s,
            .description = what +
                           u" only the records that pass TEXT, the engine's filter text, such "
                           "as [宝贝价格] >= 100"_s};
}

CliOption gridFilterOption(const QString& what) {
    return {.name = u"filter"_s,
            .valueName = u"COLUMN=TEXT"_s,
            .description = what +
                           u" only the records that pass TEXT typed into the grid's filter "
                           "cell of the column COLUMN, such as 加价幅度=>100; repeat it for "
                           "several columns; not with --where"_s};
}

CliOption decimalSeparatorOption() {
    return {.name = u"decimal-separator"_s,
            .valueName = u"C"_s,
            .description =
                u"the decimal separator of the numbers in filter texts (default: "
                "the system's)"_s};
}

// The options of a command that reads the records that pass a filter, after its own.
std::vector<CliOption> withFilterOptions(std::vector<CliOption> options, const QString& what) {
    options.insert(options.end(),
                   {whereOption(what), gridFilterOption(what), decimalSeparatorOption()});
    return options;
}

// --dry-run and --json after a command's own options; `summary` says what
// the dry run shows.
std::vector<CliOption> withDryRunOptions(std::vector<CliOption> options, const QString& summary) {
    options.insert(options.end(),
                   {{.name = u"dry-run"_s,
                     .valueName = {},
                     .description = u"change nothing and show "_s + summary},
                    {.name = u"json"_s,
                     .valueName = {},
                     .description = u"with --dry-run: print that summary as one JSON object"_s}});
    return options;
}

}  // namespace

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        {.name = u"create"_s,
         .summary = u"new item database with an empty BabyData table"_s,
         .arguments = {newDatabase()},
         .options = {},
         .example = u"itemdesk-cli create Data.mdb"_s,
         .run = createCommand},
        {.name = u"demo"_s,
         .summary = u"new item database with N generated records"_s,
         .arguments = {newDatabase(),
                       {.name = u"N"_s,
                        .description = u"the number of records"_s,
                        .optional = true,
                        .defaultValue = u"1000"_s}},
         .options = {},
         .example = u"itemdesk-cli demo Data.mdb 100000"_s,
         .run = demoCommand},
        {.name = u"count"_s,
         .summary = u"number of item records (that pass the filter)"_s,
         .arguments = {existingDatabase()},
         .options = withFilterOptions({}, u"count"_s),
         .example = u"itemdesk-cli count Data.mdb --filter \"加价幅度=>10 AND <100\""_s,
         .run = countCommand},
        {.name = u"dump"_s,
         .summary = u"every record as UTF-8, tab-separated, \\N for null"_s,
         .arguments = {existingDatabase()},
         .options = withFilterOptions({}, u"write"_s),
         .example = u"itemdesk-cli dump Data.mdb --where \"[宝贝名称] Like '*T恤*'\""_s,
         .run = dumpCommand},
        {.name = u"filter-string"_s,
         .summary = u"the engine's filter text that the grid's filter cells make"_s,
         .arguments = {existingDatabase()},
         .options = {gridFilterOption(u"describe"_s), decimalSeparatorOption()},
         .example = u"itemdesk-cli filter-string Data.mdb --filter 视频=abc* --filter "
                    "\"加价幅度=>10 AND <100\""_s,
         .run = filterStringCommand},
        {.name = u"clear"_s,
         .summary = u"delete every record"_s,
         .arguments = {existingDatabase()},
         .options = {},
         .example = u"itemdesk-cli clear Data.mdb"_s,
         .run = clearCommand},
        {.name = u"dedupe"_s,
         .summary = u"keep the lowest ID of every group of equal item names"_s,
         .arguments = {existingDatabase()},
         .options = withDryRunOptions(
             {},
             u"the groups of equal names, the records that would be deleted and those "
             "that would stay, and the first %1 groups with the ID kept and the IDs "
             "deleted"_s.arg(kPreviewSampleGroups)),
         .example = u"itemdesk-cli dedupe Data.mdb --dry-run"_s,
         .run = dedupeCommand},
        {.name = u"import"_s,
         .summary = u"append the records of a tab-separated item file"_s,
         .arguments = {existingDatabase(),
                       {.name = u"FILE"_s,
                        .description = u"the item file to read, UTF-16 and tab-separated"_s}},
         .options = withDryRunOptions(
             {{.name = u"columns"_s,
               .valueName = u"N"_s,
               .description = u"the number of fields in a record, from %1 to %2; a line "
                              "with fewer is continued by the next one"_s
                                  .arg(itemfile::kMinimumImportColumnCount)
                                  .arg(itemfile::kMaximumImportColumnCount),
               .defaultValue = QString::number(itemfile::kDefaultImportColumnCount)}},
             u"the records the file holds, the first problem that would stop the import "
             "with its line and field, and the records it would add before that"_s),
         .example = u"itemdesk-cli import Data.mdb items.tab --columns 44"_s,
         .run = importCommand},
        {.name = u"export"_s,
         .summary = u"write every record (that passes the filter) to an item file"_s,
         .arguments = {existingDatabase(),
                       {.name = u"FILE"_s,
                        .description = u"the item file to write, exactly this name; a new file "
                                       "gets its name only once it is complete"_s}},
         .options = withFilterOptions(
             {{.name = u"variant"_s,
               .valueName = u"VARIANT"_s,
               .description = u"tab: UTF-16 with a TAB after each value; comma: GBK, text "
                              "quoted when it holds a comma; gb2312: GBK, text always "
                              "quoted"_s,
               .defaultValue = u"tab"_s,
               .choices = {u"tab"_s, u"comma"_s, u"gb2312"_s}},
              {.name = u"existing"_s,
               .valueName = u"WHAT"_s,
               .description = u"overwrite (in place, keeping its mode) or append to an "
                              "existing FILE, a regular file that may be written; without "
                              "this option an existing FILE is left alone and the command "
                              "fails"_s,
               .choices = {u"overwrite"_s, u"append"_s}}},
             u"export"_s),
         .example =
             u"itemdesk-cli export Data.mdb items.csv --variant comma --existing overwrite"_s,
         .run = exportCommand},
        {.name = u"append"_s,
         .summary = u"merge another item database: its values onto the records with the same "
                    "宝贝链接"_s,
         .arguments = {existingDatabase(),
                       {.name = u"SOURCE"_s,
                        .description = u"an item database file whose table Content holds the "
                                       "records to merge; DB gains a column for every field of "
                                       "Content it lacks, and records whose link DB lacks are "
                                       "not added"_s}},
         .options = withDryRunOptions(
             {},
             u"the source records whose 宝贝链接 DB holds or lacks, the records whose "
             "values would change or are already the same, and the columns that would "
             "be added"_s),
         .example = u"itemdesk-cli append Data.mdb 本周.mdb"_s,
         .run = appendCommand},
        {.name = u"templates"_s,
         .summary = u"set 邮费模版ID of every record (that passes the filter) from the weight in "
                    "its description file"_s,
         .arguments = {existingDatabase()},
         .options = withDryRunOptions(
             withFilterOptions({}, u"assign"_s),
             u"the records per template id, those whose id would change, and the records "
             "whose description file cannot be read, where the command would stop"_s),
         .example = u"itemdesk-cli templates Data.mdb --filter 宝贝类目=50010850"_s,
         .run = templatesCommand},
        {.name = u"weight"_s,
         .summary = u"the postage template id of one description file, or an empty line"_s,
         .arguments = {{.name = u"FILE"_s,
                        .description = u"a description file, GBK text such as the one a "
                                       "record's 宝贝描述 names"_s}},
         .options = {},
         .example = u"itemdesk-cli weight desc/1001.htm"_s,
         .run = weightCommand},
        {.name = u"help"_s,
         .summary = u"the commands, or the usage, options and an example of one"_s,
         .arguments = {{.name = u"COMMAND"_s,
                        .description = u"the command to describe"_s,
                        .optional = true}},
         .options = {},
         .example = u"itemdesk-cli help import"_s,
         .run = helpCommand},
    };
    return commands;
}

}  // namespace cli
