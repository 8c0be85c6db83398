#include "store/Utf16Text.h"

namespace store {

QString withLoneSurrogatesReplaced(const QString& text) {
    QString result = text;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        result[i] = QChar::ReplacementCharacter;
    }
    return result;
}

QString leftWithoutSplittingPair(const QString& text, qsizetype size) {
    if (size >= text.size())
        return text;
    if (size > 0 && text[size - 1].isHighSurrogate() && text[size].isLowSurrogate())
        --size;
    return text.left(size);
}

}  // namespace store
