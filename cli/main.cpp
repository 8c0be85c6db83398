#include <iostream>

#include <QCoreApplication>
#include <QStringList>
#include <unistd.h>

#include "cli/Cli.h"
#include "itemfile/FileName.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    cli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    // Arguments are taken byte for byte, so that file names that are not
    // valid UTF-8 still name their files.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << itemfile::decodeFileName(QByteArray(argv[i]));
    }
    return cli::runCli(arguments, console);
}
