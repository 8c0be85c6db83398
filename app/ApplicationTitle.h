#pragma once

#include <QString>

namespace app {

// The application title for an executable path: the file name without its
// folder, cut at its first ".", every character after the first in lower case
// ("/opt/x/ItemDesk.bin" gives "Itemdesk").
QString applicationTitleFor(const QString& executablePath);

// The title of this process, from its own executable.
QString applicationTitle();

}  // namespace app
