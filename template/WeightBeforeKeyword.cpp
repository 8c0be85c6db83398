#include "template/WeightBeforeKeyword.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace postage {

namespace {

constexpr qsizetype kSearchWindow = 100;

bool isNumberCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.';
}

// Parses digits and points with "." as the decimal point, rounded once to
// single precision (a double first would round twice).
float parseSingle(QStringView number) {
    const std::string digits = number.toLatin1().toStdString();
    if (digits.find_first_of("0123456789") == std::string::npos ||
        std::count(digits.begin(), digits.end(), '.') > 1) {
        return 0;
    }
    float weight = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, weight);
    return error == std::errc() && stop == end ? weight : 0;
}

}  // namespace

float weightBeforeKeyword(QStringView text, qsizetype keyword) {
    const qsizetype start = std::max<qsizetype>(0, keyword - kSearchWindow);
    QStringView window = text.sliced(start, keyword - start);
    // Drop trailing tags such as "</b><i></i>"; a ">" without any "<" empties the window.
    while (window.endsWith(u'>')) {
        window = window.first(std::max<qsizetype>(window.lastIndexOf(u'<'), 0));
    }
    qsizetype begin = window.size();
    while (begin > 0 && isNumberCharacter(window[begin - 1])) {
        --begin;
    }
    return parseSingle(window.sliced(begin));
}

}  // namespace postage
