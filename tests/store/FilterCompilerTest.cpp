#include "store/FilterCompiler.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "store/Error.h"
#include "store/Locale.h"
#include "store/Sqlite.h"

namespace {

using store::FieldKind;
using store::FilterColumn;

// A real table with text, integer and memo columns, nulls among the values; the
// integer column's name holds a double quote and differs from its field name.
class FilterCompilerTest : public ::testing::Test {
protected:
    FilterCompilerTest() {
        store::Locale::setCurrent(store::Locale{});
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        m_db.reset(db);
        store::execute(m_db.get(), QStringLiteral(R"(
            CREATE TABLE T (名称 TEXT(150), "价""格" INTEGER, 描述 TEXT, ID INTEGER PRIMARY KEY);
            INSERT INTO T VALUES ('Red Apple', 10, 'fresh', 1), ('red_apple', 25, NULL, 2),
                ('banana', NULL, 'it''s 100% ripe', 3), (NULL, 100, 'a*b', 4),
                ('宝贝', 7, 'x\y', 5);)"));
    }

    // The IDs of the rows the filter selects, in the order the sort gives, from
    // a statement of the shape the dataset runs.
    std::vector<int> select(const QString& filter, const QString& sort = {}) {
        const store::CompiledFilter compiled = store::compileFilter(filter, m_columns);
        const QString orderBy = store::compileSort(sort, m_columns);
        QString sql = QStringLiteral("SELECT ID FROM T");
        if (!compiled.sql.isEmpty())
            sql += u" WHERE " % compiled.sql;
        sql += u" ORDER BY " % (orderBy.isEmpty() ? QString() : orderBy % u", ") % u"ID";
        const store::StatementHandle statement = store::prepare(m_db.get(), sql);
        for (std::size_t i = 0; i < compiled.args.size(); ++i)
            store::bind(statement.get(), static_cast<int>(i + 1), compiled.args[i]);
        std::vector<int> ids;
        while (store::step(statement.get()))
            ids.push_back(sqlite3_column_int(statement.get(), 0));
        return ids;
    }

    store::DatabaseHandle m_db;
    std::vector<FilterColumn> m_columns = {
        {QStringLiteral("名称"), QStringLiteral("名称"), FieldKind::WideString},
        {QStringLiteral("价格"), QStringLiteral("价\"格"), FieldKind::Integer},
        {QStringLiteral("描述"), QStringLiteral("描述"), FieldKind::Memo},
        {QStringLiteral("ID"), QStringLiteral("ID"), FieldKind::AutoInc},
    };
};

struct SelectCase {
    const char* text;
    std::vector<int> ids;
};

TEST_F(FilterCompilerTest, SelectsTheRowsTheFilterDescribes) {
    const SelectCase cases[] = {
        {"   ", {1, 2, 3, 4, 5}},
        {" ([名称] = 'red apple') AND  [价格] > 5 AND [价格] < 100 ", {1}},
        {" [名称] Like 'RED*'", {1, 2}},
        {" [名称] Like 'red_apple'", {2}},
        {"[名称] like '%AN%'", {3}},
        {"[名称] Not Like '*a*'", {5}},
        {"[描述] Like 'x\\y'", {5}},
        {"[描述] = 'IT''S 100% RIPE'", {3}},
        {"[名称] >= 'R'", {1, 2, 5}},
        {" [价格] >= 25", {2, 4}},
        {"[价格] <> 10", {2, 4, 5}},
        {"[价格] > 7.5", {1, 2, 4}},
        {"[价格] = 1E2", {4}},
        {" ([ID] = '5' OR [ID] = ' 2 ')", {2, 5}},
        {"[价格] = ''", {3}},
        {"[价格] <> ''", {1, 2, 4, 5}},
        {"[价格] Like '1*'", {1, 4}},
        {" [ID] IS NULL", {}},
        {"[名称] is null", {4}},
        {"[描述] IS NOT NULL", {1, 3, 4, 5}},
        {" NOT ( [ID] = 1 OR [ID] = 2)", {3, 4, 5}},
        {"id = 3 or 价格 = 7", {3, 5}},
        {"[ID] = 1 OR [ID] = 2 AND [价格] = 10", {1}},
        {"NOT [ID] = 1 AND [ID] < 3", {2}},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(select(QString::fromUtf8(c.text)), c.ids);
    }
}

TEST_F(FilterCompilerTest, EvaluatesLongChainsOfConditions) {
    QString filter;
    for (int i = 0; i < 150; ++i)
        filter += QStringLiteral(" ([价格] > 0 OR [ID] = 3) AND");
    EXPECT_EQ(select(filter + QStringLiteral(" NOT [ID] = 1")), (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(FilterCompilerTest, ReadsNumbersWithTheSystemDecimalSeparator) {
    store::Locale comma;
    comma.decimalSeparator = u',';
    store::Locale::setCurrent(comma);
    EXPECT_EQ(select(QStringLiteral("[价格] > 7,5 AND [价格] < '25,5'")), (std::vector<int>{1, 2}));
}

TEST_F(FilterCompilerTest, SortsByTheSortText) {
    const SelectCase cases[] = {
        {"", {1, 2, 3, 4, 5}},
        {"[价格] DESC", {4, 2, 1, 5, 3}},
        {"名称", {4, 3, 1, 2, 5}},
        {" [描述] desc , id ASC", {5, 3, 1, 4, 2}},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(select({}, QString::fromUtf8(c.text)), c.ids);
    }
}

struct ErrorCase {
    const char* text;
    const char* detail;  // part of the message after the text
};

void expectErrors(const char* prefix, const std::vector<ErrorCase>& cases,
                  const std::function<void(const QString&)>& compile) {
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        try {
            compile(text);
            ADD_FAILURE() << "no error";
        } catch (const store::Error& error) {
            const QString start = QString::fromUtf8(prefix) % u" \"" % text % u"\": ";
            EXPECT_TRUE(error.message().startsWith(start)) << error.what();
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.detail))) << error.what();
        }
    }
}

TEST_F(FilterCompilerTest, RejectsFiltersItCannotEvaluate) {
    expectErrors("Cannot evaluate filter",
                 {
                     {"[x] = 1", "field 'x' not found"},
                     {"[名称] = 'abc", "closing quote"},
                     {"[名称] = 'it's'", "closing quote"},
                     {"[名称] = 'abc' xyz", "unexpected 'xyz'"},
                     {"[名称 = 'a'", "missing ']'"},
                     {"[价格] = 'abc'", "'abc' is not a number"},
                     {"[名称] =", "expected a value after '='"},
                     {"([名称] = 'a'", "expected ')'"},
                     {"[名称] = 'a' AND ", "expected a field name"},
                     {"[名称] IS 5", "expected NULL"},
                     {"[名称] # 1", "unexpected character '#'"},
                     {"((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((",
                      "nested too deeply"},
                 },
                 [this](const QString& text) { store::compileFilter(text, m_columns); });
}

TEST_F(FilterCompilerTest, RejectsSortTextsItCannotRead) {
    expectErrors("Cannot sort by",
                 {
                     {"[x] DESC", "field 'x' not found"},
                     {"[名称] DESC DESC", "expected ','"},
                     {"[名称],", "expected a field name"},
                 },
                 [this](const QString& text) { store::compileSort(text, m_columns); });
}

}  // namespace
