#include <QApplication>

#include "app/ApplicationOwned.h"
#include "app/TForm1.h"
#include "app/TForm3.h"
#include "grid/look/SongTiFont.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    grid::installSongTiSubstitution();

    app::TForm1 mainWindow;
    app::ownByApplication(new app::TForm3);

    mainWindow.show();
    return QApplication::exec();
}
