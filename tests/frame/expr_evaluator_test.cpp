#include "frame/expr/expression.h"
#include "frame/gf_functions.h"

#include <gtest/gtest.h>

namespace cr::expr {
namespace {

// A small table: columns a (integer), b (decimal), t (text), d (date),
// n (always empty).
class Table : public RowSource {
public:
    QStringList names = {"a", "b", "t", "d", "n"};
    QList<QVariantList> rows = {
        {qlonglong(1), 2.5, QStringLiteral("101室"), QDate(2000, 2, 29), QVariant()},
        {qlonglong(2), 0.5, QStringLiteral("单元"), QDate(1990, 12, 31), QVariant()},
        {qlonglong(3), QVariant(), QString(), QVariant(), QVariant()},
    };
    int current = 2;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    QVariant value(int row, int column, bool* error) const override
    {
        if (row < 1 || row > rows.size()) {
            *error = true;
            return {};
        }
        return rows[row - 1][column];
    }
    int currentRow() const override { return current; }
    quint64 revision() const override { return 0; }

    ColumnResolver resolver() const
    {
        return [this](const QString& n) { return static_cast<int>(names.indexOf(n.toLower())); };
    }
};

struct Case {
    const char* expression;
    int row;
    QVariant expected;   // invalid: null expected
};

class ExpressionValues : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { setTodayOverride(QDate(2024, 3, 1)); }
    static void TearDownTestSuite() { setTodayOverride({}); }
};

TEST_P(ExpressionValues, EvaluatesToExpectedValue)
{
    const Case& c = GetParam();
    Table table;
    QString error;
    const auto e = Expression::compile(QString::fromUtf8(c.expression), table.resolver(), &error);
    ASSERT_TRUE(e) << c.expression << ": " << error.toStdString();
    bool failed = false;
    const QVariant v = e->evaluate(table, c.row, &failed);
    EXPECT_FALSE(failed) << c.expression;
    if (!c.expected.isValid()) {
        EXPECT_FALSE(v.isValid()) << c.expression << " gave " << v.toString().toStdString();
        return;
    }
    if (c.expected.typeId() == QMetaType::Double) {
        ASSERT_EQ(v.typeId(), QMetaType::Double) << c.expression;
        EXPECT_DOUBLE_EQ(v.toDouble(), c.expected.toDouble()) << c.expression;
    } else {
        EXPECT_EQ(v.typeId(), c.expected.typeId()) << c.expression << " gave " << v.typeName();
        EXPECT_EQ(v, c.expected) << c.expression << " gave " << v.toString().toStdString();
    }
}

const qlonglong kRgbGrey = 14474460;

INSTANTIATE_TEST_SUITE_P(
    Literals, ExpressionValues,
    ::testing::Values(Case{"42", 1, qlonglong(42)}, Case{"2.50", 1, 2.5}, Case{"'it''s'", 1, QStringLiteral("it's")},
                      Case{"\"say \"\"hi\"\"\"", 1, QStringLiteral("say \"hi\"")},
                      Case{"'a~'b~~c'", 1, QStringLiteral("a'b~c")}, Case{"'tab~tx'", 1, QStringLiteral("tab\tx")},
                      Case{"TRUE", 1, true}, Case{"'楼门'", 1, QStringLiteral("楼门")}));

INSTANTIATE_TEST_SUITE_P(
    Operators, ExpressionValues,
    ::testing::Values(Case{"1 + 2 * 3", 1, qlonglong(7)}, Case{"(1 + 2) * 3", 1, qlonglong(9)},
                      Case{"7 / 2", 1, 3.5}, Case{"8 / 4", 1, qlonglong(2)}, Case{"-a + 10", 2, qlonglong(8)},
                      Case{"2 ^ 10", 1, qlonglong(1024)}, Case{"b * 2", 1, 5.0}, Case{"a + b", 1, 3.5},
                      Case{"'3' + t", 2, QStringLiteral("3单元")}, Case{"1 / 0", 1, QVariant()},
                      Case{"t + n", 1, QVariant()}, Case{"a + n", 1, QVariant()}));

INSTANTIATE_TEST_SUITE_P(
    Comparisons, ExpressionValues,
    ::testing::Values(Case{"a = 1", 1, true}, Case{"A=1", 2, false}, Case{"a <> 1", 2, true}, Case{"a != 1", 1, false},
                      Case{"a >= 2 and a <= 3", 3, true}, Case{"a < 2 OR a > 2", 2, false},
                      Case{"not a = 1", 1, false}, Case{"t = '101室'", 1, true}, Case{"T='101室'", 2, false},
                      Case{"d = '2000-02-29'", 1, true}, Case{"d < date('1995-01-01')", 2, true},
                      // a comparison with null is false, whichever operator
                      Case{"n = 1", 1, false}, Case{"n <> 1", 1, false}, Case{"b > 0", 3, false},
                      Case{"t like '10%'", 1, true}, Case{"t like '_01室'", 1, true}, Case{"t like '10'", 1, false},
                      Case{"t not like '10%'", 2, true}, Case{"n like '%'", 1, false}, Case{"a in (2, 3)", 2, true},
                      Case{"a in (2, 3)", 1, false}, Case{"a not in (2, 3)", 1, true},
                      // text against number compares the number the text holds
                      Case{"'5' = 5", 1, true}, Case{"'x' = 5", 1, false}));

INSTANTIATE_TEST_SUITE_P(
    Functions, ExpressionValues,
    ::testing::Values(Case{"RGB(220,220,220)", 1, kRgbGrey}, Case{"rgb(255, 245, 190)", 1, qlonglong(12514815)},
                      Case{"if(a = 1, 'one', 'other')", 1, QStringLiteral("one")},
                      Case{"if(n = 1, 'one', 'other')", 1, QStringLiteral("other")},
                      Case{"if(a > 0, a, 1 / 0)", 1, qlonglong(1)}, Case{"isnull(n)", 1, true},
                      Case{"isnull(a)", 1, false}, Case{"string(a)", 2, QStringLiteral("2")},
                      Case{"string(b, '##,##0.00')", 1, QStringLiteral("2.50")},
                      Case{"string(d, 'yyyy-mm-dd')", 2, QStringLiteral("1990-12-31")}, Case{"string(n)", 1, QVariant()},
                      Case{"number('12.5')", 1, 12.5}, Case{"number('abc')", 1, QVariant()},
                      Case{"trim('  x ')", 1, QStringLiteral("x")}, Case{"lefttrim('  x ')", 1, QStringLiteral("x ")},
                      Case{"righttrim('  x ')", 1, QStringLiteral("  x")}, Case{"len(t)", 1, qlonglong(4)},
                      Case{"left(t, 2)", 1, QStringLiteral("10")}, Case{"right(t, 1)", 1, QStringLiteral("室")},
                      Case{"mid('B12U3', 2, 2)", 1, QStringLiteral("12")}, Case{"mid('B12U3', 5)", 1, QStringLiteral("3")},
                      Case{"pos('B12U3', 'U')", 1, qlonglong(4)}, Case{"pos('B12', 'U')", 1, qlonglong(0)},
                      Case{"upper('ab')", 1, QStringLiteral("AB")}, Case{"lower('AB')", 1, QStringLiteral("ab")},
                      Case{"today()", 1, QDate(2024, 3, 1)}, Case{"year(d)", 2, qlonglong(1990)},
                      Case{"date('2024/1/5')", 1, QDate(2024, 1, 5)}, Case{"date('not a date')", 1, QVariant()},
                      Case{"f_getpersonage(today(), d)", 1, qlonglong(24)},
                      Case{"f_getpersonage(today(), d)", 2, qlonglong(33)},
                      Case{"f_getpersonage(today(), d)", 3, QVariant()}, Case{"max(a, 5)", 1, qlonglong(5)},
                      Case{"round(2.346, 2)", 1, 2.35}, Case{"abs(-3)", 1, qlonglong(3)},
                      Case{"( if(a=0 or isnull(a), '', string(a) ) ) + t", 2, QStringLiteral("2单元")},
                      Case{"( if(a=0 or isnull(a), '', string(a) ) ) + t", 3, QStringLiteral("3")}));

INSTANTIATE_TEST_SUITE_P(
    Rows, ExpressionValues,
    ::testing::Values(Case{"getrow()", 3, qlonglong(3)}, Case{"currentRow()", 1, qlonglong(2)},
                      Case{"rowcount()", 1, qlonglong(3)},
                      Case{"if(currentRow()=getrow(),RGB(217,185,216),RGB(242,248,242))", 2, qlonglong(14203353)},
                      Case{"if(currentRow()=getrow(),RGB(217,185,216),RGB(242,248,242))", 1, qlonglong(15923442)},
                      Case{"sum(a for all)", 1, qlonglong(6)}, Case{"sum(b for all)", 1, 3.0},
                      Case{"count(b for all)", 1, qlonglong(2)}, Case{"max(a for all)", 1, qlonglong(3)},
                      Case{"min(t for all)", 1, QStringLiteral("101室")}, Case{"avg(b for all)", 1, 1.5},
                      Case{"sum(n for all)", 1, qlonglong(0)}, Case{"a / sum(a for all)", 3, 0.5}));

// Texts that are no expression, and expressions that fail on a row: the
// caller gets a failure, never a crash.
TEST(ExpressionErrors, BadTextIsRefusedWithAMessage)
{
    Table table;
    for (const char* text : {"", "a =", "a = 'open", "(a", "a)", "missing = 1", "nosuch(1)", "if(a, 1)",
                             "sum(a for group 1)", "a = = 1", "1 +", "a @ 1", "getrow(1)", "mid('x')"}) {
        QString error;
        EXPECT_FALSE(Expression::compile(QString::fromUtf8(text), table.resolver(), &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(ExpressionErrors, WrongKindsFailAtEvaluation)
{
    Table table;
    for (const char* text : {"t + 1", "-t", "sum(t for all)", "rgb('x', 1, 1)"}) {
        const auto e = Expression::compile(QString::fromUtf8(text), table.resolver());
        ASSERT_TRUE(e) << text;
        bool failed = false;
        EXPECT_FALSE(e->evaluate(table, 1, &failed).isValid()) << text;
        EXPECT_TRUE(failed) << text;
    }
}

TEST(ExpressionErrors, RowOutOfRangeFails)
{
    Table table;
    const auto e = Expression::compile(QStringLiteral("a + 1"), table.resolver());
    bool failed = false;
    e->evaluate(table, 9, &failed);
    EXPECT_TRUE(failed);
}

TEST(ExpressionShape, RecognisesColumnEqualityForIndexedFilters)
{
    Table table;
    int column = -1;
    QVariant literal;
    EXPECT_TRUE(Expression::compile(QStringLiteral("A = 3"), table.resolver())->isColumnEquality(&column, &literal));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(literal, QVariant(qlonglong(3)));
    EXPECT_TRUE(Expression::compile(QStringLiteral("'x' = t"), table.resolver())->isColumnEquality(&column, &literal));
    EXPECT_EQ(column, 2);
    EXPECT_FALSE(Expression::compile(QStringLiteral("a = 3 and t = 'x'"), table.resolver())->isColumnEquality(&column, &literal));
    EXPECT_FALSE(Expression::compile(QStringLiteral("a > 3"), table.resolver())->isColumnEquality(&column, &literal));
}

} // namespace
} // namespace cr::expr
