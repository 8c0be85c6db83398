#include "store/Utf16Text.h"

#include <cstdint>
#include <cstring>

namespace store {

namespace {

// Where the first surrogate of the text is, or its size when it holds none.
// Four units are tested at once (a unit is a surrogate when its top five bits
// are 11011): most texts hold no surrogate at all.
qsizetype firstSurrogate(const QString& text) {
    constexpr std::uint64_t kTopBits = 0xF800F800F800F800;
    constexpr std::uint64_t kSurrogate = 0xD800D800D800D800;
    constexpr std::uint64_t kOnes = 0x0001000100010001;
    constexpr std::uint64_t kSigns = 0x8000800080008000;
    const auto* units = text.utf16();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (; start + 4 <= size; start += 4) {
        std::uint64_t word = 0;
        std::memcpy(&word, units + start, sizeof word);
        // A surrogate leaves a unit of zero, which the subtraction turns negative.
        const std::uint64_t rest = (word & kTopBits) ^ kSurrogate;
        if (((rest - kOnes) & ~rest & kSigns) != 0)
            break;
    }
    for (; start < size; ++start) {
        if ((units[start] & 0xF800) == 0xD800)
            return start;
    }
    return size;
}

}  // namespace

QString withLoneSurrogatesReplaced(const QString& text) {
    const qsizetype size = text.size();
    const qsizetype first = firstSurrogate(text);
    if (first == size)
        return text;
    QString result = text;
    for (qsizetype i = first; i < size; ++i) {
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
