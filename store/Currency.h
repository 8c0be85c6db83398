#pragma once

#include <cstdint>
#include <optional>

#include <QChar>
#include <QStringView>

namespace store {

// A fixed-point number with four decimal places, held as value x 10 000.
struct Currency {
    static constexpr std::int64_t kScale = 10000;

    std::int64_t scaled = 0;

    // Parses a decimal number such as "-12.5" with the given decimal
    // separator, keeping four decimal places (further digits round half to
    // even). Surrounding spaces are allowed; nothing else is.
    static std::optional<Currency> parse(QStringView text, QChar decimalSeparator);

    // The nearest whole number, a half going to the even neighbour.
    std::int64_t roundedToInteger() const;
};

// Rounds numerator / denominator to the nearest integer, ties to even.
std::int64_t divideRoundHalfEven(std::int64_t numerator, std::int64_t denominator);

}  // namespace store
