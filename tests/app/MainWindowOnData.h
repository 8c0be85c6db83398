#pragma once

#include <memory>

#include <QString>

#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "tests/support/TempDir.h"

// A main window started on a Data.mdb of its own that holds the records of
// `insertSql`; its dialogs are answered by the script. Not yet shown.
struct MainWindowOnData {
    explicit MainWindowOnData(const QString& insertSql)
        : dataMdb(testsupport::createItemDatabase(folder)) {
        testsupport::runSql(dataMdb, insertSql);
        form = std::make_unique<app::TForm1>(app::TForm1::Setup{folder.path(QString()), &script});
    }

    testsupport::TempDir folder;
    QString dataMdb;
    app::DialogScript script;
    std::unique_ptr<app::TForm1> form;
};
