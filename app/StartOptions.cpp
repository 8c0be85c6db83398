#include "app/StartOptions.h"

#include <QCommandLineParser>

namespace app {

namespace {

using namespace Qt::StringLiterals;

void print(std::ostream& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    out.write(utf8.constData(), utf8.size());
}

}  // namespace

bool answerStartOptions(const QStringList& arguments, std::ostream& out) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(u"version"_s);
    parser.addOptions({help, version});
    // Unknown options and arguments are no error: the window ignores them.
    (void)parser.parse(QStringList{u"itemdesk"_s} + arguments);
    if (parser.isSet(help)) {
        print(out,
              u"usage: itemdesk [--help | --version]\n\n"
              "Starts the ItemDesk window on the item database Data.mdb beside the program,\n"
              "when there is one. The window takes no other options and ignores the rest of\n"
              "its command line; itemdesk-cli works on item databases from the command line.\n\n"
              "Options:\n"
              "  -h, --help  show this help and exit\n"
              "  --version   show the program's name and version and exit\n"_s);
        return true;
    }
    if (parser.isSet(version)) {
        print(out, u"itemdesk (ItemDesk) "_s + QStringLiteral(ITEMDESK_VERSION) + u'\n');
        return true;
    }
    return false;
}

}  // namespace app
