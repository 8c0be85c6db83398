#include "itemfile/FileName.h"

namespace itemfile {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `i`, or 0 when there is none.
// Overlong forms, surrogates and values past U+10FFFF are not valid.
qsizetype sequenceLength(const QByteArray& bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[i + k]); };
    const unsigned char lead = at(0);
    qsizetype length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    char32_t value = lead & (0x7F >> length);
    for (qsizetype k = 1; k < length; ++k) {
        if (!isContinuation(at(k))) {
            return 0;
        }
        value = (value << 6) | (at(k) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

QString decodeFileName(const QByteArray& name) {
    QString text;
    text.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = sequenceLength(name, i);
        if (length == 0) {
            text += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(name[i])));
            ++i;
        } else {
            text += QString::fromUtf8(name.constData() + i, length);
            i += length;
        }
    }
    return text;
}

QByteArray encodeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool escaped = unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF &&
                             (i == 0 || !name[i - 1].isHighSurrogate());
        if (escaped) {
            bytes += QStringView(name).sliced(start, i - start).toUtf8();
            bytes += static_cast<char>(unit - kEscapeBase);
            start = i + 1;
        }
    }
    bytes += QStringView(name).sliced(start).toUtf8();
    return bytes;
}

}  // namespace itemfile
