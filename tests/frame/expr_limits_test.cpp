// The expression engine at the edges: numbers that do not fit, dates off the
// calendar, texts built to exhaust the stack or the clock. Each gives a
// value, a null or a parse error; none may crash or hang.
#include "frame/expr/expression.h"
#include "frame/expr/values.h"

#include <gtest/gtest.h>
#include <limits>

namespace cr::expr {
namespace {

constexpr qlonglong kMax = std::numeric_limits<qlonglong>::max();
constexpr qlonglong kMin = std::numeric_limits<qlonglong>::min();

// One row: the largest and smallest integers, a date, a text.
class EdgeRow : public RowSource {
public:
    int rowCount() const override { return 2; }
    QVariant value(int, int column, bool*) const override
    {
        switch (column) {
        case 0: return kMax;
        case 1: return kMin;
        case 2: return QDate(2024, 6, 30);
        default: return QStringLiteral("101室");
        }
    }
    int currentRow() const override { return 1; }
    quint64 revision() const override { return 0; }
    static int column(const QString& name)
    {
        return static_cast<int>(QStringList{"hi", "lo", "d", "t"}.indexOf(name.toLower()));
    }
};

struct Case {
    const char* name;
    const char* expression;
    QVariant expected;   // invalid: null expected
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ExpressionEdges : public ::testing::TestWithParam<Case> {};

TEST_P(ExpressionEdges, GiveAValueOrNull)
{
    const Case& c = GetParam();
    EdgeRow row;
    QString error;
    const auto e = Expression::compile(QString::fromUtf8(c.expression), &EdgeRow::column, &error);
    ASSERT_TRUE(e) << error.toStdString();
    bool failed = false;
    const QVariant v = e->evaluate(row, 1, &failed);
    EXPECT_FALSE(failed);
    if (!c.expected.isValid()) {
        EXPECT_FALSE(v.isValid()) << "gave " << v.toString().toStdString();
        return;
    }
    EXPECT_EQ(v.typeId(), c.expected.typeId()) << "gave " << v.typeName();
    EXPECT_EQ(v, c.expected) << "gave " << v.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    IntegerOverflow, ExpressionEdges,
    ::testing::Values(// 2^63 has no integer, but is exact as a decimal, as 7 / 2 gives 3.5
                      Case{"SmallestDividedByMinusOne", "lo / -1", 9223372036854775808.0},
                      Case{"SmallestDividedByOne", "lo / 1", kMin},
                      Case{"LargestPlusOne", "hi + 1", QVariant()},
                      Case{"LargestPlusMinusOne", "hi + -1", kMax - 1},
                      Case{"SmallestMinusOne", "lo - 1", QVariant()},
                      Case{"LargestTimesTwo", "hi * 2", QVariant()},
                      Case{"SmallestTimesMinusOne", "lo * -1", QVariant()},
                      Case{"NegatedSmallest", "-lo", QVariant()},
                      Case{"NegatedLargest", "-hi", kMin + 1},
                      Case{"AbsOfSmallest", "abs(lo)", QVariant()},
                      Case{"SumThatOverflows", "sum(hi for all)", QVariant()},
                      Case{"SumThatFits", "sum(lo / 2 for all)", kMin},
                      Case{"RgbThatOverflows", "rgb(1, 1, (10 ^ 18))", QVariant()},
                      Case{"PowerBeyondDoubles", "10 ^ 400", QVariant()},
                      Case{"DecimalProductBeyondDoubles", "(10 ^ 300) * (10 ^ 300)", QVariant()}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    HugeArguments, ExpressionEdges,
    ::testing::Values(Case{"LeftOfHugeCount", "left(t, (10 ^ 300))", QStringLiteral("101室")},
                      Case{"RightOfHugeNegativeCount", "right(t, (0 - 10 ^ 300))", QStringLiteral("")},
                      Case{"MidFromHugeStart", "mid(t, (10 ^ 300))", QStringLiteral("")},
                      Case{"MidOfHugeLength", "mid(t, 2, (10 ^ 300))", QStringLiteral("01室")},
                      Case{"PosFromHugeStart", "pos(t, '室', (10 ^ 300))", qlonglong(0)},
                      Case{"IntegerOfHugeDecimal", "integer((10 ^ 300))", QVariant()},
                      Case{"IntegerOfHugeText", "integer('-1e300')", QVariant()},
                      Case{"IntegerOfLargest", "integer(hi)", kMax},
                      Case{"RoundToHugePlaces", "round(2.5, (10 ^ 300))", 2.5},
                      Case{"TruncateFarLeft", "truncate(123.4, (0 - 10 ^ 300))", qlonglong(0)},
                      Case{"SpaceOfHugeCount", "len(space((10 ^ 300)))", qlonglong(10000)}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DatesOffTheCalendar, ExpressionEdges,
    ::testing::Values(Case{"RelativeDateFarAhead", "relativedate(d, (10 ^ 15))", QVariant()},
                      Case{"WeekdayOfDateFarAhead", "string(relativedate(d, (10 ^ 15)), 'ddd')", QVariant()},
                      Case{"YearOfDateFarBack", "year(relativedate(d, (0 - 10 ^ 300)))", QVariant()},
                      Case{"WeekdayOfAGoodDate", "string(d, 'ddd')", QStringLiteral("星期日")}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts that are too deep or too long for any real filter: refused with a
// message instead of exhausting the stack while parsing, evaluating or
// freeing the tree.
TEST(ExpressionLimits, DeepOrLongTextsAreParseErrors)
{
    const QString repeat2000 = QString(2000, QLatin1Char('('));
    const struct {
        const char* name;
        QString text;
    } cases[] = {
        {"2000 nested parentheses", repeat2000 + QStringLiteral("1") + QString(2000, QLatin1Char(')'))},
        {"3000 nots", QStringLiteral("not ").repeated(3000) + QStringLiteral("1")},
        {"3000 unary minus", QString(3000, QLatin1Char('-')) + QStringLiteral("1")},
        {"2000 nested calls", QStringLiteral("abs(").repeated(2000) + QStringLiteral("1") + QString(2000, QLatin1Char(')'))},
        {"chain of 20000 additions", QStringLiteral("1") + QStringLiteral("+1").repeated(20000)},
        {"chain of 20000 ors", QStringLiteral("hi = 1") + QStringLiteral(" or hi = 1").repeated(20000)},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(Expression::compile(c.text, &EdgeRow::column, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
}

TEST(ExpressionLimits, NestingWithinTheLimitsStillWorks)
{
    EdgeRow row;
    const QString nested = QString(50, QLatin1Char('(')) + QStringLiteral("2") + QString(50, QLatin1Char(')'));
    const QString chain = QStringLiteral("1") + QStringLiteral("+1").repeated(500);
    for (const auto& [text, expected] : {std::pair{nested, qlonglong(2)}, std::pair{chain, qlonglong(501)}}) {
        QString error;
        const auto e = Expression::compile(text, &EdgeRow::column, &error);
        ASSERT_TRUE(e) << error.toStdString();
        EXPECT_EQ(e->evaluate(row, 1).toLongLong(), expected);
    }
}

TEST(ExpressionLimits, LikeMatchesPatternsOfManyWildcards)
{
    // Backtracking over every '%' would take years on the longer cases.
    const QString many = QString(200, QLatin1Char('a'));
    const struct {
        const char* name;
        QString text, pattern;
        bool matches;
    } cases[] = {
        {"no b at the end", QString(24, QLatin1Char('a')), QStringLiteral("%a").repeated(8) + QStringLiteral("%b"), false},
        {"many a, no b", many, QStringLiteral("%a").repeated(60) + QStringLiteral("%b"), false},
        {"many a, b at the end", many + QStringLiteral("b"), QStringLiteral("%a").repeated(60) + QStringLiteral("%b"), true},
        {"more a wanted than there are", QString(5, QLatin1Char('a')), QStringLiteral("%a").repeated(6) + QStringLiteral("%"), false},
        {"piece must start the text", QStringLiteral("xab"), QStringLiteral("ab%"), false},
        {"piece must end the text", QStringLiteral("abx"), QStringLiteral("%ab"), false},
        {"first and last overlap", QStringLiteral("ab"), QStringLiteral("ab%b"), false},
        {"underscore in a middle piece", QStringLiteral("12U3室"), QStringLiteral("%2_3%"), true},
        {"underscore counts one character", QStringLiteral("101室"), QStringLiteral("___"), false},
        {"percent alone", QString(), QStringLiteral("%"), true},
        {"leftmost middle piece leaves room", QStringLiteral("abcabc"), QStringLiteral("a%bc%c"), true},
        {"repeated middle pieces", QStringLiteral("aXbXc"), QStringLiteral("%X%X%"), true},
        {"repeated middle pieces missing one", QStringLiteral("aXbc"), QStringLiteral("%X%X%"), false},
    };
    for (const auto& c : cases) EXPECT_EQ(values::like(c.text, c.pattern), c.matches) << c.name;
}

} // namespace
} // namespace cr::expr
