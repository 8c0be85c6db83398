#include <iostream>

#include <QApplication>
#include <QStringList>

#include "app/ApplicationOwned.h"
#include "app/QtTranslations.h"
#include "app/StartOptions.h"
#include "app/TForm1.h"
#include "app/TForm3.h"
#include "grid/look/SongTiFont.h"
#include "grid/model/TDBGridCenter.h"

int main(int argc, char* argv[]) {
    // Answered before the application starts, so that they work without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (app::answerStartOptions(arguments, std::cout))
        return 0;

    QApplication application(argc, argv);
    grid::installSongTiSubstitution();
    app::installQtTranslations(application);
    // Choosing from a filter cell's list filters at once.
    grid::TDBGridCenter::instance().setApplyFilterOnCloseUp(true);

    app::TForm1 mainWindow;
    app::ownByApplication(new app::TForm3);

    mainWindow.show();
    return QApplication::exec();
}
