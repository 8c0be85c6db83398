#include "cli/HelpText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace cli {

namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kLineWidth = 79;
// A left column wider than this puts its text on the next line.
constexpr qsizetype kWidestTerm = 24;

const QString kProgram = u"itemdesk-cli"_s;

// Joins words that a line break must not part.
constexpr QChar kNoBreak = u'\u00A0';

// The words of text in lines of at most kLineWidth, the first starting after
// `first`, the others indented to `indent`.
QString wrapped(const QString& first, const QString& text, qsizetype indent) {
    QString result = first;
    qsizetype column = first.size();
    bool lineEmpty = true;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        word.replace(kNoBreak, u' ');
        if (!lineEmpty && column + 1 + word.size() > kLineWidth) {
            result += u'\n' + QString(indent, u' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            result += u' ';
            ++column;
        }
        result += word;
        column += word.size();
        lineEmpty = false;
    }
    return result + u'\n';
}

using Terms = std::vector<std::pair<QString, QString>>;

// Terms and their descriptions in two aligned columns.
QString termList(const Terms& terms) {
    qsizetype width = 0;
    for (const auto& [term, description] : terms) {
        if (term.size() <= kWidestTerm)
            width = std::max(width, term.size());
    }
    const qsizetype indent = 2 + width + 2;
    QString result;
    for (const auto& [term, description] : terms) {
        QString left = u"  "_s + term;
        if (term.size() > width) {
            result += left + u'\n';
            left.clear();
        }
        result += wrapped(left.leftJustified(indent), description, indent);
    }
    return result;
}

QString argumentsSynopsis(const CliCommand& command) {
    QStringList words;
    for (const CliArgument& argument : command.arguments)
        words << (argument.optional ? u'[' + argument.name + u']' : argument.name);
    return words.join(u' ');
}

QString optionValue(const CliOption& option) {
    return option.choices.isEmpty() ? option.valueName : option.choices.join(u'|');
}

QString withDefault(const QString& description, const QString& defaultValue) {
    return defaultValue.isEmpty() ? description
                                  : description + u" (default:"_s + kNoBreak + defaultValue + u')';
}

}  // namespace

QString commandUsage(const CliCommand& command) {
    QStringList words{argumentsSynopsis(command)};
    for (const CliOption& option : command.options) {
        const QString value = optionValue(option);
        words << u"[--"_s + option.name + (value.isEmpty() ? QString() : u' ' + value) + u']';
    }
    // Wrap between the bracketed parts only, so that an option and its value stay together.
    const QString start = u"usage: "_s + kProgram + u' ' + command.name + u' ';
    QString result = start;
    qsizetype column = start.size();
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i].isEmpty())
            continue;
        if (column > start.size() && column + 1 + words[i].size() > kLineWidth) {
            result += u'\n' + QString(start.size(), u' ');
            column = start.size();
        } else if (column > start.size()) {
            result += u' ';
            ++column;
        }
        result += words[i];
        column += words[i].size();
    }
    return result.trimmed() + u'\n';
}

QString commandHelp(const CliCommand& command) {
    // The summary, a list entry elsewhere, as a sentence.
    QString sentence = command.summary + u'.';
    sentence[0] = sentence[0].toUpper();
    QString help = commandUsage(command) + u'\n' + wrapped({}, sentence, 0);
    if (!command.arguments.empty()) {
        Terms terms;
        for (const CliArgument& argument : command.arguments)
            terms.emplace_back(argument.name,
                               withDefault(argument.description, argument.defaultValue));
        help += u"\nArguments:\n"_s + termList(terms);
    }
    Terms options;
    for (const CliOption& option : command.options) {
        const QString value = optionValue(option);
        options.emplace_back(u"--"_s + option.name + (value.isEmpty() ? QString() : u'=' + value),
                             withDefault(option.description, option.defaultValue));
    }
    options.emplace_back(u"-h, --help"_s, u"show this help and exit"_s);
    help += u"\nOptions:\n"_s + termList(options);
    help += u"\nExample:\n  "_s + command.example + u'\n';
    return help;
}

QString programHelp() {
    Terms commands;
    for (const CliCommand& command : cliCommands()) {
        const QString arguments = argumentsSynopsis(command);
        commands.emplace_back(command.name + (arguments.isEmpty() ? QString() : u' ' + arguments),
                              command.summary);
    }
    return u"usage: "_s + kProgram + u" COMMAND [ARGUMENTS] [OPTIONS]\n"_s +  //
           u"       "_s + kProgram + u" --help | --version\n\n"_s +
           wrapped({},
                   u"Works on item databases from the command line: creates them, reads, cleans "
                   "up, imports, exports and merges their item records, and assigns postage "
                   "template ids."_s,
                   0) +
           u"\nCommands:\n"_s + termList(commands) + u"\nOptions:\n"_s +
           termList({{u"-h, --help"_s, u"show this help and exit"_s},
                     {u"--version"_s, u"show the program's name and version and exit"_s}}) +
           u'\n' +
           wrapped({},
                   u"Run '"_s + kProgram +
                       u" COMMAND --help' for a command's options and an example."_s,
                   0);
}

QString versionText() {
    return kProgram + u" (ItemDesk) "_s + QStringLiteral(ITEMDESK_VERSION) + u'\n';
}

}  // namespace cli
