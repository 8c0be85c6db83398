#include <gtest/gtest.h>

#include <utility>

#include <QDateTime>

#include "grid/filter/FilterTextParser.h"
#include "store/Error.h"
#include "store/Locale.h"
#include "tests/support/TableRows.h"

namespace {

using namespace Qt::StringLiterals;
using namespace grid;

// Sets the decimal separator for one test and puts the point back after it.
class DecimalSeparator {
public:
    explicit DecimalSeparator(QChar separator) {
        store::Locale locale;
        locale.decimalSeparator = separator;
        store::Locale::setCurrent(locale);
    }
    ~DecimalSeparator() { store::Locale::setCurrent(store::Locale()); }
};

QVariant list(std::initializer_list<QVariant> values) {
    return QVariantList(values);
}

struct Parsed {
    Parsed(FilterOperator firstOperator = fopNone, QVariant firstOperand = {},
           FilterOperator connective = fopNone, FilterOperator secondOperator = fopNone,
           QVariant secondOperand = {})
        : firstOperator(firstOperator),
          firstOperand(std::move(firstOperand)),
          connective(connective),
          secondOperator(secondOperator),
          secondOperand(std::move(secondOperand)) {}

    FilterOperator firstOperator;
    QVariant firstOperand;
    FilterOperator connective;
    FilterOperator secondOperator;
    QVariant secondOperand;
};

struct Case {
    Case(QString text, ValueKind kind, Parsed expected, QString error = {},
         QChar decimalSeparator = u'.')
        : text(std::move(text)),
          kind(kind),
          expected(std::move(expected)),
          error(std::move(error)),
          decimalSeparator(decimalSeparator) {}

    QString text;
    ValueKind kind;
    Parsed expected;
    QString error;  // empty when the text parses
    QChar decimalSeparator;
};

void check(const Case& c) {
    SCOPED_TRACE(c.text.toStdString());
    const DecimalSeparator separator(c.decimalSeparator);
    TSTFilterExpression expression;
    expression.valueKind = c.kind;
    if (!c.error.isEmpty()) {
        try {
            parseFilterText(c.text, expression);
            ADD_FAILURE() << "parsed without an error";
        } catch (const store::Error& error) {
            EXPECT_EQ(error.message(), c.error);
        }
        return;
    }
    parseFilterText(c.text, expression);
    EXPECT_EQ(expression.valueKind, c.kind);
    EXPECT_EQ(expression.firstOperator, c.expected.firstOperator);
    EXPECT_EQ(expression.firstOperand, c.expected.firstOperand);
    EXPECT_EQ(expression.firstOperand.typeId(), c.expected.firstOperand.typeId());
    EXPECT_EQ(expression.connective, c.expected.connective);
    EXPECT_EQ(expression.secondOperator, c.expected.secondOperator);
    EXPECT_EQ(expression.secondOperand, c.expected.secondOperand);
}

TEST(FilterTextParser, TextValuesListsAndConnectives) {
    const Case cases[] = {
        {u"abc"_s, vkText, {fopLike, u"abc"_s}},
        {u"red apple"_s, vkText, {fopLike, u"red apple"_s}},
        {u"red and apple"_s, vkText, {fopLike, u"red"_s, fopAnd, fopLike, u"apple"_s}},
        {u"a,b"_s, vkText, {fopIn, list({u"a"_s, u"b"_s})}},
        {u"a, b"_s, vkText, {fopIn, list({u"a"_s, u" b"_s})}},
        {u"'made in china'"_s, vkText, {fopLike, u"made in china"_s}},
        {u"'a','b c'"_s, vkText, {fopIn, list({u"a"_s, u"b c"_s})}},
        {u"''"_s, vkText, {fopLike, u""_s}},
        {u"a & b"_s, vkText, {fopLike, u"a"_s, fopAnd, fopLike, u"b"_s}},
        {u"a&b"_s, vkText, {fopLike, u"a&b"_s}},
        {u"android"_s, vkText, {fopLike, u"android"_s}},
        {u"=a | ~b*"_s, vkText, {fopEqual, u"a"_s, fopOr, fopLike, u"b*"_s}},
        {u"not like abc"_s, vkText, {fopNotLike, u"abc"_s}},
        {u"!~abc"_s, vkText, {fopNotLike, u"abc"_s}},
        {u"Not In (x,y)"_s, vkText, {fopNotIn, list({u"x"_s, u"y"_s})}},
        {u"<>宝贝"_s, vkText, {fopNotEqual, u"宝贝"_s}},
        {u"a NOT b"_s, vkText, {fopLike, u"a NOT b"_s}},
        {u"=1 AND"_s, vkNumber, {fopEqual, 1.0, fopAnd}},
        {u"=1 AND =2 AND =3"_s, vkNumber, {fopEqual, 1.0, fopAnd, fopEqual, 2.0}},
        {u"=1 OR In (2,3"_s, vkNumber, {fopEqual, 1.0, fopOr, fopIn, list({2.0, 3.0})}},
        {u"  >= 10 \t"_s, vkNumber, {fopGreaterOrEqual, 10.0}},
        {u">10 AND <100"_s, vkNumber, {fopGreater, 10.0, fopAnd, fopLess, 100.0}},
        {u"5"_s, vkNumber, {fopEqual, 5.0}},
        {u"In (1,2)"_s, vkNumber, {fopIn, list({1.0, 2.0})}},
        {u"1,5"_s, vkNumber, {fopEqual, 1.5}, {}, u','},
        {u"In (1,5)"_s, vkNumber, {fopIn, list({1.0, 5.0})}, {}, u','},
        {u"=1,5 OR 2,5"_s, vkNumber, {fopEqual, 1.5, fopOr, fopEqual, 2.5}, {}, u','},
        {u"now"_s, vkDateTime, {fopEqual, u"now"_s}},
        {u"=null"_s, vkText, {fopIsNull}},
        {u"!= NULL"_s, vkNumber, {fopIsNotNull}},
        {u"<>Null OR =5"_s, vkNumber, {fopIsNotNull, {}, fopOr, fopEqual, 5.0}},
        {u"true"_s, vkBoolean, {fopEqual, u"true"_s}},
        {u""_s, vkText, {}},
        {u"   "_s, vkNumber, {}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(FilterTextParser, MalformedTextsFailWithTheTrimmedText) {
    const Case cases[] = {
        {u"made in china"_s, vkText, {}, u"'(' expected: made in china"_s},
        {u"IN 1,2"_s, vkText, {}, u"'(' expected: IN 1,2"_s},
        {u"'abc"_s, vkText, {}, u"Quote is absent: 'abc"_s},
        {u" = "_s, vkText, {}, u"Unexpected expression after operator: ="_s},
        {u"> Null"_s, vkNumber, {}, u"Unexpected expression before Null: > Null"_s},
        {u"Null"_s, vkText, {}, u"Unexpected expression after operator: Null"_s},
        {u"NOT NULL"_s, vkText, {}, u"Unexpected expression after operator: NOT NULL"_s},
        {u"(abc)"_s, vkText, {}, u"Error in expression: (abc)"_s},
        {u"In (1,2"_s, vkNumber, {}, u"')' expected: In (1,2"_s},
        {u"abc def ="_s, vkText, {}, u"Unexpected AND or OR: abc def ="_s},
        {u"abc)"_s, vkText, {}, u"Incorrect expression: abc)"_s},
        {u"=1 AND )"_s, vkNumber, {}, u"Incorrect expression: =1 AND )"_s},
        // A connective cannot open a text, nor a list follow a comparison.
        {u"AND 5"_s, vkNumber, {}, u"Error in expression: AND 5"_s},
        {u"| x"_s, vkText, {}, u"Error in expression: | x"_s},
        {u"=a,b"_s, vkText, {}, u"Error in expression: =a,b"_s},
        {u"abc"_s, vkNumber, {}, u"'abc' is not a valid floating point value"_s},
        {u"In (1, x)"_s, vkNumber, {}, u"' x' is not a valid floating point value"_s},
        {u"1.5"_s, vkNumber, {}, u"'1.5' is not a valid floating point value"_s, u','},
        {u"=yesterday"_s, vkDateTime, {}, u"'yesterday' is not a valid date and time"_s},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(FilterTextParser, DatesConvertAndNowStaysText) {
    TSTFilterExpression expression;
    expression.valueKind = vkDateTime;
    parseFilterText(u">2024-03-01 AND <NOW"_s, expression);
    EXPECT_EQ(expression.firstOperand, QVariant(QDate(2024, 3, 1).startOfDay()));
    EXPECT_EQ(expression.secondOperand, QVariant(u"NOW"_s));
}

TEST(FilterTextParser, AFailureKeepsWhatWasReadBeforeIt) {
    TSTFilterExpression expression;
    expression.valueKind = vkNumber;
    EXPECT_THROW(parseFilterText(u">5 OR Null"_s, expression), store::Error);
    EXPECT_EQ(expression.firstOperator, fopGreater);
    EXPECT_EQ(expression.connective, fopOr);
    EXPECT_EQ(expression.secondOperator, fopIsNull);
}

}  // namespace
