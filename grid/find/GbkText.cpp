#include "grid/find/GbkText.h"

#include <array>
#include <cstdint>
#include <memory>

#include <iconv.h>

namespace grid {

namespace {

// The GBK code of every UTF-16 code unit outside the surrogates, as it
// stands and upper-cased: one byte below 0x100, else lead byte * 256 + trail
// byte. Built once with iconv.
struct CodeTable {
    std::array<std::uint16_t, 0x10000> plain{};
    std::array<std::uint16_t, 0x10000> upper{};

    CodeTable() {
        iconv_t converter = iconv_open("GBK", "UTF-16LE");
        for (std::uint32_t unit = 0; unit < 0x10000; ++unit)
            plain[unit] = convert(converter, unit);
        if (converter != reinterpret_cast<iconv_t>(-1))
            iconv_close(converter);
        for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
            const char32_t upperCase = QChar::toUpper(unit);
            // An upper case that GBK lacks leaves the character as it is.
            upper[unit] =
                upperCase < 0x10000 && plain[upperCase] != '?' ? plain[upperCase] : plain[unit];
        }
    }

    static std::uint16_t convert(iconv_t converter, std::uint32_t unit) {
        if (unit < 0x80)
            return static_cast<std::uint16_t>(unit);
        if (converter == reinterpret_cast<iconv_t>(-1) || (unit >= 0xD800 && unit <= 0xDFFF))
            return '?';
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char out[4] = {};
        char* inPointer = in;
        char* outPointer = out;
        std::size_t inLeft = sizeof in;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1))
            return '?';
        const auto lead = static_cast<unsigned char>(out[0]);
        const auto trail = static_cast<unsigned char>(out[1]);
        switch (outPointer - out) {
            case 1:
                return lead;
            case 2:
                return static_cast<std::uint16_t>(lead << 8 | trail);
            default:
                return '?';
        }
    }
};

const CodeTable& codeTable() {
    static const auto table = std::make_unique<CodeTable>();
    return *table;
}

}  // namespace

void GbkText::encode(QStringView text, bool upperCase, std::string& out) {
    const auto& codes = upperCase ? codeTable().upper : codeTable().plain;
    out.clear();
    out.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += '?';
            ++i;
            continue;
        }
        const std::uint16_t code = codes[unit];
        if (code >= 0x100)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
}

}  // namespace grid
