#include "store/Currency.h"

#include <limits>

namespace store {

namespace {

constexpr std::uint64_t kMaxMagnitude = std::numeric_limits<std::int64_t>::max();

}  // namespace

std::optional<Currency> Currency::parse(QStringView text, QChar decimalSeparator) {
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    // The magnitude is gathered unsigned: the most negative value has no
    // positive counterpart.
    std::uint64_t whole = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (whole > kMaxMagnitude / kScale)
            return std::nullopt;
        anyDigit = true;
    }
    // Up to four decimals are kept; a fifth decides the rounding, later ones break ties.
    std::uint64_t fraction = 0;
    int decimals = 0;
    int roundDigit = -1;
    bool beyondRoundDigit = false;
    if (i < text.size() && text[i] == decimalSeparator) {
        for (++i; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
            const int digit = text[i].unicode() - u'0';
            anyDigit = true;
            if (decimals < 4) {
                fraction = fraction * 10 + digit;
                ++decimals;
            } else if (roundDigit < 0) {
                roundDigit = digit;
            } else if (digit != 0) {
                beyondRoundDigit = true;
            }
        }
    }
    if (!anyDigit || i != text.size())
        return std::nullopt;
    for (; decimals < 4; ++decimals)
        fraction *= 10;
    std::uint64_t scaled = whole * kScale + fraction;
    if (roundDigit > 5 || (roundDigit == 5 && (beyondRoundDigit || scaled % 2 != 0)))
        ++scaled;
    const std::uint64_t limit = negative ? kMaxMagnitude + 1 : kMaxMagnitude;
    if (scaled > limit)
        return std::nullopt;
    return Currency{negative ? static_cast<std::int64_t>(0 - scaled)
                             : static_cast<std::int64_t>(scaled)};
}

std::int64_t Currency::roundedToInteger() const {
    return divideRoundHalfEven(scaled, kScale);
}

std::int64_t divideRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        --quotient;
        remainder += denominator;
    }
    // remainder now in [0, denominator): round up past half, or at half when odd.
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

}  // namespace store
