#include "app/FileDialogColumns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

namespace app {

void fitDetailColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (view == nullptr || model == nullptr) {
        return;
    }
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        // The first column, the name, takes the room that is left.
        for (int column = 1; column < view->header()->count(); ++column) {
            view->resizeColumnToContents(column);
        }
    });
}

}  // namespace app
