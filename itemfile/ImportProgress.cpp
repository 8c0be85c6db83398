#include "itemfile/ImportProgress.h"

#include "store/Progress.h"

namespace itemfile {

namespace {

constexpr int kProgressStep = 1000;

}  // namespace

void startImportProgress(store::Progress& progress) {
    progress.setPosition(0);
    progress.setMaximum(kProgressStep);
    progress.show();
}

void showImportProgress(store::Progress& progress, int recordCount) {
    progress.setPosition(recordCount);
    if (progress.position() == progress.maximum()) {
        progress.setMaximum(progress.maximum() + kProgressStep);
    }
    progress.showCounts();
}

}  // namespace itemfile
