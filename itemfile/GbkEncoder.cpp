#include "itemfile/GbkEncoder.h"

#include <bit>
#include <cerrno>

#include "store/Error.h"

namespace itemfile {

namespace {

const char* nativeUtf16() {
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

}  // namespace

GbkEncoder::GbkEncoder() : m_converter(::iconv_open("GBK", nativeUtf16())) {
    if (m_converter == reinterpret_cast<iconv_t>(-1)) {
        throw store::Error(QStringLiteral("GBK conversion is not available"));
    }
}

GbkEncoder::~GbkEncoder() {
    ::iconv_close(m_converter);
}

void GbkEncoder::append(QStringView text, std::string& out) {
    const QChar* next = text.data();
    const QChar* const end = next + text.size();
    // GBK needs at most two bytes for one UTF-16 code unit.
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(text.size()) * 2);
    char* output = out.data() + start;
    std::size_t outputLeft = out.size() - start;

    while (next != end) {
        char* input = const_cast<char*>(reinterpret_cast<const char*>(next));
        std::size_t inputLeft = static_cast<std::size_t>(end - next) * sizeof(QChar);
        const std::size_t result = ::iconv(m_converter, &input, &inputLeft, &output, &outputLeft);
        next = reinterpret_cast<const QChar*>(input);
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        // The character at `next` has no GBK form (or is a broken surrogate pair).
        const bool pair = next + 1 != end && next[0].isHighSurrogate() && next[1].isLowSurrogate();
        next += pair ? 2 : 1;
        *output++ = '?';
        --outputLeft;
    }
    out.resize(static_cast<std::size_t>(output - out.data()));
}

}  // namespace itemfile
