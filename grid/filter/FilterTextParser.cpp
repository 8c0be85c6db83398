#include "grid/filter/FilterTextParser.h"

#include "grid/filter/OperandConversion.h"
#include "store/Error.h"
#include "store/Locale.h"

namespace grid {

namespace {

// What starts at a position of the text.
enum class TokenKind {
    End,       // the text is used up
    Nothing,   // a ")" where a token should start
    Value,     // a value or a list; the position stays at its start until it is read
    Operator,  // an operator or connective; fopNone for a "(" or NOT with a wrong continuation
};

struct Token {
    Token(TokenKind kind, FilterOperator op = fopNone) : kind(kind), op(op) {}

    TokenKind kind;
    FilterOperator op;
    QVariant value;
};

// Characters that end a word, besides those below code 32.
bool isStopCharacter(QChar c) {
    switch (c.unicode()) {
        case 0x20:
        case 0x21:
        case 0x22:
        case 0x26:
        case 0x27:
        case 0x28:
        case 0x29:
        case 0x2B:
        case 0x2C:
        case 0x2D:
        case 0x2E:
        case 0x3C:
        case 0x3D:
        case 0x3E:
        case 0x7C:
        case 0x7E:
            return true;
        default:
            return c.unicode() < 0x20;
    }
}

bool isBlank(QChar c) {
    return c.unicode() <= 0x20;
}

QString trimmedText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

class Parser {
public:
    Parser(const QString& text, TSTFilterExpression& expression)
        : m_text(trimmedText(text)), m_expression(expression) {}

    void parse() {
        m_expression.clear();
        if (m_text.isEmpty())
            return;
        m_commaList = defaultCommaList();

        condition(readToken(), m_expression.firstOperator, m_expression.firstOperand, true);

        skipSpaces(m_pos);
        const Token connective = readToken();
        if (connective.kind == TokenKind::End)
            return;
        if (connective.kind == TokenKind::Nothing)
            fail(u"Incorrect expression: ");
        if (connective.kind != TokenKind::Operator ||
            (connective.op != fopAnd && connective.op != fopOr))
            fail(u"Unexpected AND or OR: ");
        m_expression.connective = connective.op;

        skipSpaces(m_pos);
        const Token second = readToken();
        if (second.kind == TokenKind::End)
            return;
        if (second.kind == TokenKind::Nothing)
            fail(u"Incorrect expression: ");
        // A list left open at the end of the second condition is accepted;
        // anything after the second condition is not examined.
        condition(second, m_expression.secondOperator, m_expression.secondOperand, false);
    }

private:
    // One condition from its first token.
    void condition(const Token& token, FilterOperator& op, QVariant& operand, bool closeList) {
        if (token.kind == TokenKind::Value) {
            const bool isList = token.value.typeId() == QMetaType::QVariantList;
            op = isList ? fopIn : m_expression.valueKind == vkText ? fopLike : fopEqual;
            operand = token.value;
            m_commaList = defaultCommaList();
            return;
        }
        // A leading connective would leave a condition without meaning.
        if (token.kind != TokenKind::Operator || token.op == fopNone || token.op == fopAnd ||
            token.op == fopOr)
            fail(u"Error in expression: ");

        const bool isListOperator = token.op == fopIn || token.op == fopNotIn;
        if (isListOperator)
            m_commaList = true;
        skipSpaces(m_pos);
        op = token.op;
        const Token operandToken = readToken();
        if (operandToken.kind == TokenKind::Operator && operandToken.op == fopIsNull) {
            if (token.op == fopEqual)
                op = fopIsNull;
            else if (token.op == fopNotEqual)
                op = fopIsNotNull;
            else
                fail(u"Unexpected expression before Null: ");
        } else if (operandToken.kind != TokenKind::Value) {
            fail(u"Unexpected expression after operator: ");
        } else {
            // Only IN and NOT IN compare with a list.
            if (!isListOperator && operandToken.value.typeId() == QMetaType::QVariantList)
                fail(u"Error in expression: ");
            operand = operandToken.value;
        }
        if (isListOperator && closeList) {
            skipSpaces(m_pos);
            if (m_pos >= m_text.size() || m_text[m_pos] != u')')
                fail(u"')' expected: ");
            ++m_pos;
        }
        m_commaList = defaultCommaList();
    }

    // The token at the position; a value or a list is read whole.
    Token readToken() {
        Token token = scanOperator(m_pos);
        if (token.kind == TokenKind::Value)
            token.value = readList();
        return token;
    }

    // The token that starts at `pos`, moving `pos` past it and the spaces
    // after it when it is an operator; a value is left unread.
    Token scanOperator(qsizetype& pos) const {
        if (pos >= m_text.size())
            return {TokenKind::End};
        const QChar c = m_text[pos];
        const QChar next = pos + 1 < m_text.size() ? m_text[pos + 1] : QChar();
        FilterOperator op = fopNone;
        qsizetype length = 1;
        if ((c == u'<' && next == u'>') || (c == u'!' && next == u'='))
            op = fopNotEqual, length = 2;
        else if (c == u'>' && next == u'=')
            op = fopGreaterOrEqual, length = 2;
        else if (c == u'<' && next == u'=')
            op = fopLessOrEqual, length = 2;
        else if (c == u'=')
            op = fopEqual;
        else if (c == u'>')
            op = fopGreater;
        else if (c == u'<')
            op = fopLess;
        else if (c == u'~')
            op = fopLike;
        else if (c == u'&')
            op = fopAnd;
        else if (c == u'|')
            op = fopOr;
        else if (c == u'!')
            return notCombination(pos += 1);
        else if (c == u'(')
            return {TokenKind::Operator, fopNone};  // the caller fails on it
        else if (c == u')')
            return {TokenKind::Nothing};
        else if (c == u'\'')
            return {TokenKind::Value};
        else
            return scanKeyword(pos);
        pos += length;
        skipSpaces(pos);
        return {TokenKind::Operator, op};
    }

    Token scanKeyword(qsizetype& pos) const {
        qsizetype end = pos;
        while (end < m_text.size() && !isStopCharacter(m_text[end]))
            ++end;
        const QString word = m_text.mid(pos, end - pos).toUpper();
        FilterOperator op = fopNone;
        if (word == u"NOT") {
            pos = end;
            return notCombination(pos);
        } else if (word == u"AND") {
            op = fopAnd;
        } else if (word == u"OR") {
            op = fopOr;
        } else if (word == u"LIKE") {
            op = fopLike;
        } else if (word == u"NULL") {
            op = fopIsNull;
        } else if (word == u"IN") {
            op = fopIn;
        } else {
            return {TokenKind::Value};
        }
        pos = end;
        if (op == fopIn) {
            skipSpaces(pos);
            if (pos >= m_text.size() || m_text[pos] != u'(')
                fail(u"'(' expected: ");
            ++pos;
        }
        skipSpaces(pos);
        return {TokenKind::Operator, op};
    }

    // NOT or "!" at `pos` already passed: the operator it makes with the next token.
    Token notCombination(qsizetype& pos) const {
        skipSpaces(pos);
        switch (scanOperator(pos).op) {
            case fopLike:
                return {TokenKind::Operator, fopNotLike};
            case fopIn:
                return {TokenKind::Operator, fopNotIn};
            case fopIsNull:
                return {TokenKind::Operator, fopIsNotNull};
            default:
                return {TokenKind::Operator, fopNone};
        }
    }

    // One value, or, while commas separate values, the list of them.
    QVariant readList() {
        QVariant value = readValue();
        if (!continuesList(value))
            return value;
        QVariantList list{value};
        while (continuesList(value)) {
            ++m_pos;
            value = readValue();
            list.append(value);
        }
        return list;
    }

    bool continuesList(const QVariant& value) const {
        return m_commaList && !value.isNull() && m_pos < m_text.size() && m_text[m_pos] == u',';
    }

    QVariant readValue() {
        if (m_pos >= m_text.size())
            return {};
        if (m_text[m_pos] == u'\'') {
            const qsizetype close = m_text.indexOf(u'\'', m_pos + 1);
            if (close < 0)
                fail(u"Quote is absent: ");
            const QString value = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return value;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !endsValue(m_pos))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    // A parenthesis ends an unquoted value, so does a list's comma, and so
    // does a space when an operator follows it: "red apple" is one value,
    // "red and apple" two conditions.
    bool endsValue(qsizetype pos) const {
        const QChar c = m_text[pos];
        if (c == u'(' || c == u')' || (c == u',' && m_commaList))
            return true;
        if (c != u' ')
            return false;
        skipSpaces(pos);
        const Token ahead = scanOperator(pos);
        return ahead.kind == TokenKind::Operator && ahead.op >= fopEqual && ahead.op <= fopOr;
    }

    void skipSpaces(qsizetype& pos) const {
        while (pos < m_text.size() && m_text[pos] == u' ')
            ++pos;
    }

    // A list's commas separate values unless a comma is the decimal separator
    // of the numbers being read; IN and NOT IN always take a list.
    bool defaultCommaList() const {
        return !(m_expression.valueKind == vkNumber &&
                 store::Locale::current().decimalSeparator == u',');
    }

    [[noreturn]] void fail(const char16_t* message) const {
        throw store::Error(QString::fromUtf16(message) + m_text);
    }

    const QString m_text;
    TSTFilterExpression& m_expression;
    qsizetype m_pos = 0;
    bool m_commaList = true;
};

}  // namespace

void parseFilterText(const QString& text, TSTFilterExpression& expression) {
    Parser(text, expression).parse();
    convertOperands(expression);
}

}  // namespace grid
