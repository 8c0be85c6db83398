#include "app/ApplicationOwned.h"

#include <vector>

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace app {
namespace {

std::vector<QPointer<QWidget>>& ownedWindows() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

// Runs first thing in the application object's destructor, while widgets
// can still be deleted.
void deleteOwnedWindows() {
    for (QPointer<QWidget>& window : ownedWindows()) {
        delete window.data();
    }
    ownedWindows().clear();
}

}  // namespace

void ownByApplication(QWidget* window) {
    if (ownedWindows().empty()) {
        qAddPostRoutine(deleteOwnedWindows);
    }
    ownedWindows().emplace_back(window);
}

}  // namespace app
