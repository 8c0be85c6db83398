#pragma once

#include <ostream>

#include <QStringList>

namespace app {

// Answers --help, -h and --version (arguments without the program name) on
// `out` and returns true, when the window must not start. The window takes
// no other options: everything else on its command line is ignored.
bool answerStartOptions(const QStringList& arguments, std::ostream& out);

}  // namespace app
