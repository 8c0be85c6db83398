#pragma once

#include <QChar>

namespace store {

// The few locale facts the system uses: the decimal separator. Read once from
// the system (a point when the system says nothing); tests set it.
class Locale {
public:
    static const Locale& current();
    static void setCurrent(const Locale& locale);

    QChar decimalSeparator = QLatin1Char('.');
};

}  // namespace store
