#pragma once

#include <string>

#include <QStringView>
#include <iconv.h>

namespace itemfile {

// Converts UTF-16 text to the GBK code page (936). A character that GBK lacks,
// or half of a surrogate pair, becomes '?'.
class GbkEncoder {
public:
    GbkEncoder();
    ~GbkEncoder();
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    // Appends the GBK bytes of `text` to `out`.
    void append(QStringView text, std::string& out);

private:
    iconv_t m_converter;
};

}  // namespace itemfile
