#include "store/FilterCompiler.h"

#include <cmath>
#include <optional>

#include <QStringList>

#include "store/Error.h"
#include "store/Utf16Text.h"
#include "store/Locale.h"
#include "store/Sqlite.h"

namespace store {

namespace {

enum class TokenType { End, Field, Word, Text, Number, Operator, LeftParen, RightParen, Comma };

struct Token {
    TokenType type = TokenType::End;
    QString value;  // field name, word, unquoted text, number with a '.' point, or operator
    qsizetype start = 0;
    qsizetype length = 0;
};

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c.isSurrogate();
}

// A number written in plain decimal ("-12", "1.5", "1E20"): an integer when it is
// whole and fits, a double otherwise; none when the text is no number.
std::optional<QVariant> numberValue(const QString& text) {
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return QVariant(whole);
    const double real = text.toDouble(&ok);
    if (ok && std::isfinite(real))
        return QVariant(real);
    return std::nullopt;
}

QString withDecimalPoint(QString number) {
    const QChar separator = Locale::current().decimalSeparator;
    if (separator != u'.')
        number.replace(separator, u'.');
    return number;
}

// Like patterns use * and % for any run of characters; everything else,
// SQLite's own _ included, matches itself.
QString likePattern(const QString& text) {
    QString pattern;
    pattern.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'*' || c == u'%') {
            pattern += u'%';
        } else {
            if (c == u'_' || c == u'\\')
                pattern += u'\\';
            pattern += c;
        }
    }
    return pattern;
}

// A filter or sort text, or a part of it, as messages quote it: at most its
// first 200 characters, "..." marking a cut.
QString shownInMessage(const QString& text) {
    constexpr qsizetype kShown = 200;
    if (text.size() <= kShown)
        return text;
    return leftWithoutSplittingPair(text, kShown) % u"...";
}

// Cuts a filter or sort text into tokens. Every failure, here and in the
// parsers that read the tokens, is raised with a prefix naming the whole text.
class Lexer {
public:
    Lexer(const QString& text, QString errorPrefix)
        : m_text(text), m_prefix(std::move(errorPrefix)) {
        scan();
    }

    const Token& peek() const { return m_tokens[m_next]; }
    Token take() {
        const Token token = peek();
        if (token.type != TokenType::End)
            ++m_next;
        return token;
    }
    bool atWord(QLatin1StringView word) const {
        return peek().type == TokenType::Word &&
               peek().value.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool takeWord(QLatin1StringView word) {
        if (!atWord(word))
            return false;
        take();
        return true;
    }
    // The token as written, for messages.
    QString describe(const Token& token) const {
        if (token.type == TokenType::End)
            return QStringLiteral("the end of the text");
        return u'\'' % m_text.mid(token.start, token.length) % u'\'';
    }
    [[noreturn]] void fail(const QString& detail) const {
        throw Error(m_prefix % shownInMessage(detail));
    }

    // Takes a field reference, bracketed or a bare identifier, and finds its column.
    const FilterColumn& takeField(const std::vector<FilterColumn>& columns) {
        const Token& token = peek();
        if (token.type != TokenType::Field && (token.type != TokenType::Word || isKeyword(token)))
            fail(u"expected a field name, found " % describe(token));
        for (const FilterColumn& column : columns) {
            if (column.fieldName.compare(token.value, Qt::CaseInsensitive) == 0) {
                take();
                return column;
            }
        }
        fail(u"field '" % token.value % u"' not found");
    }

private:
    static bool isKeyword(const Token& token) {
        static const QStringList keywords = {
            QStringLiteral("AND"),  QStringLiteral("OR"),   QStringLiteral("NOT"),
            QStringLiteral("LIKE"), QStringLiteral("IS"),   QStringLiteral("NULL"),
            QStringLiteral("ASC"),  QStringLiteral("DESC"),
        };
        return keywords.contains(token.value, Qt::CaseInsensitive);
    }

    bool digitAt(qsizetype pos) const { return pos < m_text.size() && isAsciiDigit(m_text[pos]); }
    bool decimalPointAt(qsizetype pos) const {
        return pos < m_text.size() &&
               (m_text[pos] == u'.' || m_text[pos] == Locale::current().decimalSeparator);
    }
    bool numberAt(qsizetype pos) const {
        if (m_text[pos] == u'-' || m_text[pos] == u'+')
            ++pos;
        return digitAt(pos) || (decimalPointAt(pos) && digitAt(pos + 1));
    }

    void scan() {
        qsizetype pos = 0;
        for (;;) {
            while (pos < m_text.size() && m_text[pos].isSpace())
                ++pos;
            if (pos == m_text.size()) {
                m_tokens.push_back({TokenType::End, {}, pos, 0});
                return;
            }
            const qsizetype start = pos;
            Token token = scanToken(pos);
            token.start = start;
            token.length = pos - start;
            m_tokens.push_back(std::move(token));
        }
    }

    Token scanToken(qsizetype& pos) const {
        const QChar c = m_text[pos];
        if (c == u'[') {
            const qsizetype close = m_text.indexOf(u']', pos);
            if (close < 0)
                fail(u"missing ']' after '" % m_text.mid(pos) % u'\'');
            const QString name = m_text.mid(pos + 1, close - pos - 1);
            pos = close + 1;
            return {TokenType::Field, name};
        }
        if (c == u'\'')
            return quotedText(pos);
        if (numberAt(pos))
            return number(pos);
        if (isWordChar(c)) {
            const qsizetype start = pos;
            while (pos < m_text.size() && isWordChar(m_text[pos]))
                ++pos;
            return {TokenType::Word, m_text.mid(start, pos - start)};
        }
        ++pos;
        switch (c.unicode()) {
            case u'(':
                return {TokenType::LeftParen, c};
            case u')':
                return {TokenType::RightParen, c};
            case u',':
                return {TokenType::Comma, c};
            case u'=':
                return {TokenType::Operator, c};
            case u'<':
            case u'>': {
                const bool twoChars = pos < m_text.size() &&
                                      (m_text[pos] == u'=' || (c == u'<' && m_text[pos] == u'>'));
                if (!twoChars)
                    return {TokenType::Operator, c};
                ++pos;
                return {TokenType::Operator, m_text.mid(pos - 2, 2)};
            }
            default:
                fail(u"unexpected character '" % c % u'\'');
        }
    }

    Token quotedText(qsizetype& pos) const {
        const qsizetype start = pos;
        QString value;
        ++pos;
        for (;;) {
            const qsizetype close = m_text.indexOf(u'\'', pos);
            if (close < 0)
                fail(u"quoted text without its closing quote: " % m_text.mid(start));
            value += QStringView(m_text).mid(pos, close - pos);
            pos = close + 1;
            if (pos == m_text.size() || m_text[pos] != u'\'')
                return {TokenType::Text, value};
            value += u'\'';
            ++pos;
        }
    }

    Token number(qsizetype& pos) const {
        const qsizetype start = pos;
        if (!digitAt(pos))
            ++pos;  // the sign
        while (digitAt(pos))
            ++pos;
        if (decimalPointAt(pos) && digitAt(pos + 1)) {
            for (++pos; digitAt(pos);)
                ++pos;
        }
        if (pos < m_text.size() && (m_text[pos] == u'e' || m_text[pos] == u'E')) {
            qsizetype digits = pos + 1;
            if (digits < m_text.size() && (m_text[digits] == u'-' || m_text[digits] == u'+'))
                ++digits;
            if (digitAt(digits)) {
                for (pos = digits; digitAt(pos);)
                    ++pos;
            }
        }
        return {TokenType::Number, withDecimalPoint(m_text.mid(start, pos - start))};
    }

    const QString& m_text;
    QString m_prefix;
    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
};

// Recursive descent over the filter language, writing SQL as it goes; values
// are collected in the order their placeholders appear.
class FilterParser {
public:
    FilterParser(const QString& text, const std::vector<FilterColumn>& columns)
        : m_lexer(text, filterErrorPrefix(text)), m_columns(columns) {}

    CompiledFilter parse() {
        QString sql = disjunction();
        if (m_lexer.peek().type != TokenType::End)
            m_lexer.fail(u"unexpected " % m_lexer.describe(m_lexer.peek()));
        return {std::move(sql), std::move(m_args)};
    }

private:
    // Chains are written flat: SQLite ranks NOT, AND and OR as the filter
    // language does, and nesting parentheses per operator would soon exceed
    // its parser's depth.
    QString disjunction() {
        QString sql = conjunction();
        while (m_lexer.takeWord(QLatin1StringView("OR")))
            sql += u" OR " % conjunction();
        return sql;
    }

    QString conjunction() {
        QString sql = negation();
        while (m_lexer.takeWord(QLatin1StringView("AND")))
            sql += u" AND " % negation();
        return sql;
    }

    QString negation() {
        if (++m_depth > kMaxDepth)
            m_lexer.fail(QStringLiteral("parentheses and NOTs nested too deeply"));
        QString sql;
        if (m_lexer.takeWord(QLatin1StringView("NOT"))) {
            sql = u"NOT " % negation();
        } else if (m_lexer.peek().type == TokenType::LeftParen) {
            m_lexer.take();
            sql = u'(' % disjunction() % u')';
            if (m_lexer.peek().type != TokenType::RightParen)
                m_lexer.fail(u"expected ')', found " % m_lexer.describe(m_lexer.peek()));
            m_lexer.take();
        } else {
            sql = condition();
        }
        --m_depth;
        return sql;
    }

    QString condition() {
        const FilterColumn& column = m_lexer.takeField(m_columns);
        const QString target = quoteIdentifier(column.column);
        if (m_lexer.takeWord(QLatin1StringView("IS"))) {
            const bool negated = m_lexer.takeWord(QLatin1StringView("NOT"));
            if (!m_lexer.takeWord(QLatin1StringView("NULL")))
                m_lexer.fail(u"expected NULL after IS, found " % m_lexer.describe(m_lexer.peek()));
            return target % (negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
        }
        const bool negated = m_lexer.takeWord(QLatin1StringView("NOT"));
        if (negated || m_lexer.atWord(QLatin1StringView("LIKE"))) {
            if (!m_lexer.takeWord(QLatin1StringView("LIKE")))
                m_lexer.fail(u"expected LIKE after NOT, found " % m_lexer.describe(m_lexer.peek()));
            return like(column, value(QStringLiteral("Like")), negated);
        }
        if (m_lexer.peek().type != TokenType::Operator)
            m_lexer.fail(u"expected a comparison, Like or IS after the field '" % column.fieldName %
                         u"', found " % m_lexer.describe(m_lexer.peek()));
        const QString op = m_lexer.take().value;
        return comparison(column, op, value(op));
    }

    Token value(const QString& after) {
        const Token& token = m_lexer.peek();
        if (token.type != TokenType::Text && token.type != TokenType::Number)
            m_lexer.fail(u"expected a value after '" % after % u"', found " %
                         m_lexer.describe(token));
        return m_lexer.take();
    }

    QString comparison(const FilterColumn& column, const QString& op, const Token& value) {
        const QString target = quoteIdentifier(column.column);
        if (isTextKind(column.kind)) {
            m_args.emplace_back(value.value);
            return target % u' ' % op % u" ? COLLATE NOCASE";
        }
        // A boolean column holds 0 or 1 and is compared as a number too.
        if (!isNumericKind(column.kind) && column.kind != FieldKind::Boolean) {
            m_args.push_back(value.type == TokenType::Number ? number(column, value)
                                                             : QVariant(value.value));
            return target % u' ' % op % u" ?";
        }
        const QVariant operand = number(column, value);
        // Empty text clears a numeric field, so against one it stands for null.
        if (operand.isNull() && op == u"=")
            return target % QStringLiteral(" IS NULL");
        if (operand.isNull() && op == u"<>")
            return target % QStringLiteral(" IS NOT NULL");
        m_args.push_back(operand);
        return target % u' ' % op % u" ?";
    }

    // The number a value stands for; null for empty quoted text.
    QVariant number(const FilterColumn& column, const Token& value) const {
        const QString text =
            value.type == TokenType::Text ? withDecimalPoint(value.value.trimmed()) : value.value;
        if (text.isEmpty())
            return {};
        const std::optional<QVariant> result = numberValue(text);
        if (!result)
            m_lexer.fail(u"'" % value.value %
                         u"' is not a number, so it cannot be compared with '" % column.fieldName %
                         u'\'');
        return *result;
    }

    // SQLite's LIKE reads a number as its decimal text, so numeric fields need no cast.
    QString like(const FilterColumn& column, const Token& value, bool negated) {
        m_args.emplace_back(likePattern(value.value));
        return quoteIdentifier(column.column) %
               (negated ? QStringLiteral(" NOT LIKE ?") : QStringLiteral(" LIKE ?")) %
               u" ESCAPE '\\'";
    }

    // SQLite refuses somewhat deeper nesting; the limit also bounds the recursion.
    static constexpr int kMaxDepth = 64;

    Lexer m_lexer;
    const std::vector<FilterColumn>& m_columns;
    int m_depth = 0;
    std::vector<QVariant> m_args;
};

}  // namespace

QString filterErrorPrefix(const QString& filterText) {
    return u"Cannot evaluate filter \"" % shownInMessage(filterText) % u"\": ";
}

CompiledFilter compileFilter(const QString& filterText, const std::vector<FilterColumn>& columns) {
    if (filterText.trimmed().isEmpty())
        return {};
    return FilterParser(filterText, columns).parse();
}

QString compileSort(const QString& sortText, const std::vector<FilterColumn>& columns) {
    if (sortText.trimmed().isEmpty())
        return {};
    Lexer lexer(sortText, u"Cannot sort by \"" % shownInMessage(sortText) % u"\": ");
    QStringList terms;
    for (;;) {
        const FilterColumn& column = lexer.takeField(columns);
        QString term = quoteIdentifier(column.column);
        if (isTextKind(column.kind))
            term += QStringLiteral(" COLLATE NOCASE");
        if (lexer.takeWord(QLatin1StringView("DESC")))
            term += QStringLiteral(" DESC");
        else
            lexer.takeWord(QLatin1StringView("ASC"));
        terms.append(term);
        if (lexer.peek().type == TokenType::End)
            return terms.join(QStringLiteral(", "));
        if (lexer.peek().type != TokenType::Comma)
            lexer.fail(u"expected ',' after the field '" % column.fieldName % u"', found " %
                       lexer.describe(lexer.peek()));
        lexer.take();
    }
}

}  // namespace store
