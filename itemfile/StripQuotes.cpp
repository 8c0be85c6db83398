#include "itemfile/StripQuotes.h"

namespace itemfile {

QStringView stripQuotes(QStringView text) {
    if (text.startsWith(u'"')) {
        text = text.sliced(1);
    }
    if (text.endsWith(u'"')) {
        text.chop(1);
    }
    return text;
}

}  // namespace itemfile
