#include "store/Locale.h"

#include <QLocale>

namespace store {

namespace {

Locale systemLocale() {
    Locale locale;
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1)
        locale.decimalSeparator = point.front();
    return locale;
}

Locale& currentLocale() {
    static Locale locale = systemLocale();
    return locale;
}

}  // namespace

const Locale& Locale::current() {
    return currentLocale();
}

void Locale::setCurrent(const Locale& locale) {
    currentLocale() = locale;
}

}  // namespace store
