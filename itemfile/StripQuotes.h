#pragma once

#include <QStringView>

namespace itemfile {

// Removes one leading double quote, then one trailing double quote of what
// remains; quotes inside the text stay.
QStringView stripQuotes(QStringView text);

}  // namespace itemfile
