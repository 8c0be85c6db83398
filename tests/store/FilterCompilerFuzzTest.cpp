// Generated filter texts against the filter compiler and the engine. Runs for
// a few seconds; ITEMDESK_FUZZ_SECONDS runs it longer and ITEMDESK_FUZZ_SEED
// repeats a run.
#include <chrono>
#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "store/Error.h"
#include "store/FilterCompiler.h"
#include "store/Locale.h"
#include "store/Sqlite.h"

namespace {

using store::FieldKind;

double secondsToRun() {
    const char* text = std::getenv("ITEMDESK_FUZZ_SECONDS");
    return text ? std::atof(text) : 2.0;
}

unsigned seed() {
    const char* text = std::getenv("ITEMDESK_FUZZ_SEED");
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 20261209u;
}

// Builds texts from pieces of the filter language, values and stray characters.
class FilterTextGenerator {
public:
    explicit FilterTextGenerator(unsigned seed) : m_random(seed) {}

    // Mostly well-formed conditions, some of them changed afterwards, and
    // some runs of loose pieces.
    QString next() {
        if (pick(0, 3) == 0)
            return loosePieces();
        QString text = expression(0);
        for (int changes = pick(0, 2); changes > 0; --changes) {
            const int at = pick(0, static_cast<int>(text.size()));
            if (pick(0, 1) == 0)
                text.insert(at, piece());
            else
                text.remove(at, pick(1, 4));
        }
        return text;
    }

private:
    QString expression(int depth) {
        QString text = term(depth);
        for (int more = pick(0, depth == 0 ? 6 : 2); more > 0; --more)
            text +=
                (pick(0, 1) == 0 ? QStringLiteral(" AND ") : QStringLiteral(" or ")) + term(depth);
        return text;
    }

    QString term(int depth) {
        if (depth < 70 && pick(0, 5) == 0)
            return QStringLiteral("(") + expression(depth + 1) + QStringLiteral(")");
        if (depth < 70 && pick(0, 7) == 0)
            return QStringLiteral("NOT ") + term(depth + 1);
        static const QStringList fields = {QStringLiteral("[名称]"), QStringLiteral("价格"),
                                           QStringLiteral("[描述]"), QStringLiteral("[id]")};
        static const QStringList operators = {
            QStringLiteral(" = "),  QStringLiteral(" <> "),   QStringLiteral(" < "),
            QStringLiteral(" >= "), QStringLiteral(" Like "), QStringLiteral(" Not Like ")};
        const QString field = fields[pick(0, static_cast<int>(fields.size()) - 1)];
        switch (pick(0, 4)) {
            case 0:
                return field + (pick(0, 1) == 0 ? QStringLiteral(" IS NULL")
                                                : QStringLiteral(" is not null"));
            case 1:
                return field + operators[pick(0, static_cast<int>(operators.size()) - 1)] +
                       QString::number(pick(-1000, 1000)) +
                       (pick(0, 2) == 0 ? QStringLiteral(".25") : QString());
            default: {
                QString value = randomText();
                value.replace(u'\'', QStringLiteral("''"));
                return field + operators[pick(0, static_cast<int>(operators.size()) - 1)] + u'\'' +
                       value + u'\'';
            }
        }
    }

    QString loosePieces() {
        QString text;
        const int pieces = pick(1, pick(0, 3) == 0 ? 200 : 12);
        for (int i = 0; i < pieces; ++i) {
            text += piece();
            text += separators()[pick(0, static_cast<int>(separators().size()) - 1)];
        }
        return text;
    }

    int pick(int least, int most) {
        return std::uniform_int_distribution<int>(least, most)(m_random);
    }

    static const QStringList& separators() {
        static const QStringList list = {QStringLiteral(" "), QStringLiteral(" "), QString(),
                                         QStringLiteral("\t"), QStringLiteral("\r\n")};
        return list;
    }

    QString piece() {
        static const QStringList words = {
            QStringLiteral("[名称]"),  QStringLiteral("[价格]"),
            QStringLiteral("[描述]"),  QStringLiteral("[ID]"),
            QStringLiteral("名称"),    QStringLiteral("id"),
            QStringLiteral("[无]"),    QStringLiteral("["),
            QStringLiteral("]"),       QStringLiteral("="),
            QStringLiteral("<>"),      QStringLiteral("<"),
            QStringLiteral(">"),       QStringLiteral("<="),
            QStringLiteral(">="),      QStringLiteral("Like"),
            QStringLiteral("not"),     QStringLiteral("AND"),
            QStringLiteral("OR"),      QStringLiteral("IS"),
            QStringLiteral("NULL"),    QStringLiteral("("),
            QStringLiteral(")"),       QStringLiteral(","),
            QStringLiteral("DESC"),    QStringLiteral("12"),
            QStringLiteral("-3.5"),    QStringLiteral(".5"),
            QStringLiteral("1e5"),     QStringLiteral("''"),
            QStringLiteral("'"),       QStringLiteral("'it''s'"),
            QStringLiteral("'*%_\\'"), QStringLiteral(";"),
            QStringLiteral("--"),      QStringLiteral("/*"),
            QStringLiteral("\""),      QStringLiteral("9223372036854775808"),
        };
        switch (pick(0, 9)) {
            case 0:
                return u'\'' + randomText() + u'\'';
            case 1:
                return randomText();
            case 2:
                return QStringLiteral("[") + randomText() + QStringLiteral("]");
            default:
                return words[pick(0, static_cast<int>(words.size()) - 1)];
        }
    }

    // Short runs of characters from every corner: controls, quotes, CJK,
    // marks, lone and paired surrogates.
    QString randomText() {
        static const char16_t corners[] = {u'\0',     u'\'',     u'"',      u'[',      u']',
                                           u'*',      u'%',      u'_',      u'\\',     u'?',
                                           u'\xFEFF', u'\xFFFE', u'\xD800', u'\xDC00', u'\xD83D',
                                           u'\xDE00', u'宝',     u'\x7F'};
        QString text;
        const int length = pick(0, pick(0, 20) == 0 ? 3000 : 8);
        for (int i = 0; i < length; ++i) {
            switch (pick(0, 2)) {
                case 0:
                    text += QChar(corners[pick(0, static_cast<int>(std::size(corners)) - 1)]);
                    break;
                case 1:
                    text += QChar(static_cast<char16_t>(pick(0x20, 0x7E)));
                    break;
                default:
                    text += QChar(static_cast<char16_t>(pick(0, 0xFFFF)));
            }
        }
        return text;
    }

    std::mt19937 m_random;
};

bool isEngineLimit(const QString& message) {
    return message.contains(QStringLiteral("Expression tree is too large")) ||
           message.contains(QStringLiteral("LIKE or GLOB pattern too complex")) ||
           message.contains(QStringLiteral("too many SQL variables"));
}

TEST(FilterCompilerFuzz, EveryTextCompilesToOneStatementOrFailsWithAShortMessage) {
    store::Locale::setCurrent(store::Locale{});
    sqlite3* raw = nullptr;
    sqlite3_open(":memory:", &raw);
    const store::DatabaseHandle db(raw);
    store::execute(db.get(), QStringLiteral(R"(
        CREATE TABLE T (名称 TEXT(150), "价""格" INTEGER, 描述 TEXT, ID INTEGER PRIMARY KEY);
        INSERT INTO T VALUES ('Red Apple', 10, 'fresh', 1), (NULL, NULL, NULL, 2),
            ('宝贝', -7, 'it''s 100% ripe', 3);)"));
    const std::vector<store::FilterColumn> columns = {
        {QStringLiteral("名称"), QStringLiteral("名称"), FieldKind::WideString},
        {QStringLiteral("价格"), QStringLiteral("价\"格"), FieldKind::Integer},
        {QStringLiteral("描述"), QStringLiteral("描述"), FieldKind::Memo},
        {QStringLiteral("ID"), QStringLiteral("ID"), FieldKind::AutoInc},
    };

    FilterTextGenerator generator(seed());
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(secondsToRun());
    long long inputs = 0, compiled = 0;
    while (std::chrono::steady_clock::now() < until) {
        const QString text = generator.next();
        ++inputs;
        store::CompiledFilter filter;
        try {
            filter = store::compileFilter(text, columns);
            store::compileSort(text, columns);
        } catch (const store::Error& error) {
            ASSERT_LT(error.message().size(), 700) << "seed " << seed() << " input " << inputs;
        }
        if (filter.sql.isEmpty())
            continue;
        ++compiled;
        const QByteArray sql = (QStringLiteral("SELECT ID FROM T WHERE ") + filter.sql).toUtf8();
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db.get(), sql.constData(), static_cast<int>(sql.size()),
                                          &statement, &tail);
        const store::StatementHandle owned(statement);
        const QString prepareError = QString::fromUtf8(sqlite3_errmsg(db.get()));
        if (rc != SQLITE_OK) {
            ASSERT_TRUE(isEngineLimit(prepareError)) << prepareError.toStdString() << "\n"
                                                     << text.left(300).toStdString();
            continue;
        }
        ASSERT_EQ(tail, sql.constData() + sql.size()) << "one statement: " << sql.constData();
        ASSERT_EQ(sqlite3_bind_parameter_count(statement), static_cast<int>(filter.args.size()));
        for (std::size_t i = 0; i < filter.args.size(); ++i)
            store::bind(statement, static_cast<int>(i + 1), filter.args[i]);
        try {
            while (store::step(statement)) {
            }
        } catch (const store::Error& error) {
            ASSERT_TRUE(isEngineLimit(error.message())) << error.message().toStdString();
        }
    }
    std::printf("%lld generated filter texts, %lld compiled (seed %u)\n", inputs, compiled, seed());
    EXPECT_GT(compiled, 0);
}

}  // namespace
