#include <iostream>

#include <QCoreApplication>
#include <QStringList>
#include <unistd.h>

#include "cli/Cli.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    cli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    return cli::runCli(QCoreApplication::arguments().mid(1), console);
}
