#include "grid/celltext/FloatFormat.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QStringList>

namespace grid {

namespace {

// Significant digits kept of a double before it is formatted.
constexpr int kSignificantDigits = 15;
constexpr int kMaxExponentDigits = 4;

// A non-negative decimal number: its digits without leading or trailing
// zeros (none for zero), and how many places of it stand before the decimal
// point, which may be fewer than none or more than there are digits.
struct DecimalDigits {
    QString digits;
    int pointPosition = 0;
};

void dropTrailingZeros(DecimalDigits& number) {
    while (number.digits.endsWith(u'0'))
        number.digits.chop(1);
    if (number.digits.isEmpty())
        number.pointPosition = 0;
}

DecimalDigits decimalDigits(double value, int significant) {
    DecimalDigits number;
    if (value == 0)
        return number;
    const QString text = QString::number(std::fabs(value), 'e', significant - 1);
    const qsizetype exponentAt = text.indexOf(u'e');
    number.digits = text.left(exponentAt);
    number.digits.remove(u'.');
    number.pointPosition = text.mid(exponentAt + 1).toInt() + 1;
    dropTrailingZeros(number);
    return number;
}

// Rounds to `decimals` places after the point, half away from zero.
void roundTo(DecimalDigits& number, int decimals) {
    const int keep = number.pointPosition + decimals;
    if (keep >= number.digits.size())
        return;
    if (keep < 0) {
        number = {};
        return;
    }
    const bool up = number.digits[keep] >= u'5';
    number.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && number.digits[i] == u'9'; --i)
            number.digits[i] = u'0';
        if (i >= 0) {
            number.digits[i] = QChar(number.digits[i].unicode() + 1);
        } else {
            number.digits.prepend(u'1');
            ++number.pointPosition;
        }
    }
    dropTrailingZeros(number);
}

QString integerDigits(const DecimalDigits& number) {
    if (number.pointPosition <= 0)
        return {};
    return number.digits.left(number.pointPosition).leftJustified(number.pointPosition, u'0', true);
}

QString fractionDigits(const DecimalDigits& number, int count) {
    QString fraction;
    for (int i = number.pointPosition; i < number.pointPosition + count; ++i)
        fraction += i >= 0 && i < number.digits.size() ? number.digits[i] : QChar(u'0');
    return fraction;
}

QString grouped(const QString& digits, QChar separator) {
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += separator;
        text += digits[i];
    }
    return text;
}

// ---------------------------------------------------------------- display formats

struct Token {
    enum Kind { Literal, IntegerDigit, FractionDigit, Point, Exponent };
    Kind kind;
    QString text;           // Literal: the text; digits: "0" or "#"; Exponent: "E" or "e"
    bool plusSign = false;  // Exponent: "+" shows the sign of a positive exponent
    int exponentDigits = 0;
};

struct Section {
    std::vector<Token> tokens;
    int integerPlaceholders = 0;
    int minimumIntegerDigits = 0;
    int fractionPlaceholders = 0;
    int minimumFractionDigits = 0;
    bool thousands = false;
    bool scientific = false;
};

QStringList splitSections(const QString& format) {
    QStringList sections(1);
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

Section parseSection(const QString& text) {
    Section section;
    bool afterPoint = false;
    int firstIntegerZero = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            section.tokens.push_back({Token::Literal, text.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'0' || c == u'#') {
            if (afterPoint) {
                section.tokens.push_back({Token::FractionDigit, QString(c)});
                ++section.fractionPlaceholders;
                if (c == u'0')
                    section.minimumFractionDigits = section.fractionPlaceholders;
            } else {
                section.tokens.push_back({Token::IntegerDigit, QString(c)});
                if (c == u'0' && firstIntegerZero < 0)
                    firstIntegerZero = section.integerPlaceholders;
                ++section.integerPlaceholders;
            }
        } else if (c == u'.' && !afterPoint) {
            section.tokens.push_back({Token::Point, {}});
            afterPoint = true;
        } else if (c == u',') {
            section.thousands = section.thousands || !afterPoint;
        } else if ((c == u'E' || c == u'e') && !section.scientific && i + 1 < text.size() &&
                   (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            Token exponent{Token::Exponent, QString(c), text[i + 1] == u'+'};
            for (i += 2; i < text.size() && text[i] == u'0'; ++i)
                ++exponent.exponentDigits;
            --i;
            exponent.exponentDigits = std::min(exponent.exponentDigits, kMaxExponentDigits);
            section.tokens.push_back(exponent);
            section.scientific = true;
        } else {
            section.tokens.push_back({Token::Literal, QString(c)});
        }
    }
    if (firstIntegerZero >= 0)
        section.minimumIntegerDigits = section.integerPlaceholders - firstIntegerZero;
    return section;
}

struct SectionText {
    QString text;
    bool zero = false;  // every digit shown is zero
};

SectionText formatSection(const QString& format, double magnitude, QChar decimalSeparator) {
    const Section section = parseSection(format);
    DecimalDigits number = decimalDigits(magnitude, kSignificantDigits);
    int exponent = 0;
    if (section.scientific) {
        const int integerPlaces = std::max(section.integerPlaceholders, 1);
        if (!number.digits.isEmpty()) {
            exponent = number.pointPosition - integerPlaces;
            number.pointPosition = integerPlaces;
        }
        roundTo(number, section.fractionPlaceholders);
        if (number.pointPosition > integerPlaces) {
            number.pointPosition = integerPlaces;
            ++exponent;
        }
    } else {
        roundTo(number, section.fractionPlaceholders);
    }

    QString integer = integerDigits(number);
    if (integer.size() < section.minimumIntegerDigits)
        integer = integer.rightJustified(section.minimumIntegerDigits, u'0');
    QString fraction = fractionDigits(number, section.fractionPlaceholders);
    while (fraction.size() > section.minimumFractionDigits && fraction.endsWith(u'0'))
        fraction.chop(1);
    const QChar thousandsSeparator = decimalSeparator == u',' ? u'.' : u',';
    const QString groupedInteger =
        section.thousands ? grouped(integer, thousandsSeparator) : integer;

    SectionText result;
    result.zero = number.digits.isEmpty();
    const int places = section.integerPlaceholders;
    const int length = static_cast<int>(integer.size());
    int integerIndex = 0;
    int fractionIndex = 0;
    for (const Token& token : section.tokens) {
        switch (token.kind) {
            case Token::Literal:
                result.text += token.text;
                break;
            case Token::IntegerDigit:
                // Digits are aligned to the right of the placeholders; the first
                // takes every digit that has no placeholder of its own.
                if (section.thousands) {
                    if (integerIndex == 0)
                        result.text += groupedInteger;
                } else if (integerIndex == 0) {
                    result.text += integer.left(std::max(0, length - places + 1));
                } else if (const int at = length - places + integerIndex; at >= 0) {
                    result.text += integer[at];
                }
                ++integerIndex;
                break;
            case Token::Point:
                if (places == 0)
                    result.text += groupedInteger;
                if (!fraction.isEmpty())
                    result.text += decimalSeparator;
                break;
            case Token::FractionDigit:
                if (fractionIndex < fraction.size())
                    result.text += fraction[fractionIndex];
                ++fractionIndex;
                break;
            case Token::Exponent:
                result.text += token.text;
                if (exponent < 0)
                    result.text += u'-';
                else if (token.plusSign)
                    result.text += u'+';
                result.text +=
                    QString::number(std::abs(exponent)).rightJustified(token.exponentDigits, u'0');
                break;
        }
    }
    return result;
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

}  // namespace

QString formatFloat(const QString& format, double value, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const QStringList sections = splitSections(format);
    const auto sectionAt = [&sections](int index) {
        return index < sections.size() ? sections[index] : QString();
    };
    const bool negativeSection = value < 0 && !sectionAt(1).isEmpty();
    SectionText shown =
        formatSection(sectionAt(negativeSection ? 1 : 0), std::fabs(value), decimalSeparator);
    if (shown.zero && !sectionAt(2).isEmpty())
        return formatSection(sectionAt(2), 0, decimalSeparator).text;
    if (value < 0 && !negativeSection && !shown.zero)
        shown.text.prepend(u'-');
    return shown.text;
}

QString formatGeneral(double value, int precision, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    const DecimalDigits number = decimalDigits(value, precision);
    const int exponent = number.pointPosition - 1;
    QString text;
    if (number.pointPosition <= precision && exponent >= -5) {
        text = integerDigits(number);
        if (text.isEmpty())
            text = QStringLiteral("0");
        const QString fraction =
            fractionDigits(number, static_cast<int>(number.digits.size()) - number.pointPosition);
        if (!fraction.isEmpty())
            text += decimalSeparator + fraction;
    } else {
        text = number.digits.left(1);
        if (number.digits.size() > 1)
            text += decimalSeparator + number.digits.mid(1);
        text += u'E';
        if (exponent < 0)
            text += u'-';
        text += QString::number(std::abs(exponent));
    }
    return value < 0 ? u'-' + text : text;
}

}  // namespace grid
