#include <QApplication>

#include "app/ApplicationOwned.h"
#include "app/SongTiFont.h"
#include "app/TForm1.h"
#include "app/TForm3.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    app::installSongTiSubstitution();

    app::TForm1 mainWindow;
    app::ownByApplication(new app::TForm3);

    mainWindow.show();
    return QApplication::exec();
}
