// The main window's import or export, driven offscreen with the dialogs
// answered by a script, timed from the click on the command's button until
// the command has ended and the grid is attached again.
//
//   window_command_bench import FOLDER ITEM_FILE   imports ITEM_FILE into FOLDER/Data.mdb
//   window_command_bench export FOLDER OUT.csv     exports FOLDER/Data.mdb to OUT.csv (TAB)
//
// The window starts on FOLDER/Data.mdb and is shown before the click. Prints
// one line: wall and processor time in milliseconds, the message the command
// ended with and the progress window's last counts.

#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPushButton>

#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "bench/Stopwatch.h"

int main(int argc, char** argv) {
    const bool isImport = argc == 4 && std::strcmp(argv[1], "import") == 0;
    const bool isExport = argc == 4 && std::strcmp(argv[1], "export") == 0;
    if (!isImport && !isExport) {
        std::fprintf(stderr,
                     "usage: window_command_bench import FOLDER ITEM_FILE\n"
                     "       window_command_bench export FOLDER OUT.csv\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString file = QString::fromLocal8Bit(argv[3]);

    app::DialogScript script;
    app::TForm1 window(app::TForm1::Setup{folder, &script});
    window.show();
    QCoreApplication::processEvents();
    if (!script.shown().empty()) {
        std::fprintf(stderr, "%s\n", qPrintable(script.shown().back().text));
        return 1;
    }
    if (isExport)
        QFile::remove(file);
    // The save dialog's first entry is the TAB variant.
    script.queueFileName(file, 1);
    QPushButton* button =
        window.button(isImport ? QStringLiteral("Button1") : QStringLiteral("Button2"));

    const bench::Stopwatch stopwatch;
    button->click();
    const bench::Timing timing = stopwatch.elapsed();

    const QString message = script.shown().empty() ? QString() : script.shown().back().text;
    const bool succeeded =
        message == QStringLiteral("导入成功") || message.startsWith(QStringLiteral("已导出至 "));
    std::printf("%.1f ms (cpu %.1f ms)  %s  %s\n", timing.wallMs, timing.cpuMs, qPrintable(message),
                qPrintable(app::TForm2::get().countsText()));
    return succeeded ? 0 : 1;
}
