#include "dataview_test_support.h"

#include "frame/expr/values.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace cr::test {
namespace {

// Houses of two buildings, in the order a query might give them.
std::unique_ptr<DataView> sampleHouses()
{
    return storedHouses({
        {{"k", 1}, {"building", 1}, {"unitno", 2}, {"floorno", 1}, {"housenumber", "101室"}, {"area", 50.0}},
        {{"k", 2}, {"building", 1}, {"unitno", 1}, {"floorno", 2}, {"housenumber", "201室"}, {"area", 60.0}},
        {{"k", 3}, {"building", 2}, {"unitno", 0}, {"floorno", 1}, {"housenumber", "1"}},
        {{"k", 4}, {"building", 1}, {"unitno", 1}, {"floorno", 1}, {"housenumber", "101室"}, {"note", "O'Brien"}},
        {{"k", 5}, {"building", 2}, {"floorno", 1}, {"housenumber", "2"}, {"area", 30.5}},
    });
}

struct FindCase {
    const char* expression;
    int first;
    int last;
    int expected;
};

class Finds : public ::testing::TestWithParam<FindCase> {};

TEST_P(Finds, ReturnsFirstMatchingRowInRange)
{
    const FindCase& c = GetParam();
    auto v = sampleHouses();
    EXPECT_EQ(v->find(QString::fromUtf8(c.expression), c.first, c.last), c.expected) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, Finds,
    ::testing::Values(FindCase{"housenumber='101室'", 1, 5, 1}, FindCase{"HouseNumber='101室'", 2, 5, 4},
                      FindCase{"unitno=1  and housenumber='101室'", 1, 5, 4}, FindCase{"unitno=1 AND floorno=2", 1, 5, 2},
                      FindCase{"housenumber='301室'", 1, 5, 0}, FindCase{"building=2", 5, 1, 5},
                      FindCase{"building=2", 1, 99, 3}, FindCase{"housenumber like '%室'", 3, 5, 4},
                      FindCase{"isnull(unitno)", 1, 5, 5}, FindCase{"note = 'O~'Brien'", 1, 5, 4},
                      FindCase{"rowno = 3", 1, 5, 3},
                      // bad expressions: less than 1, never a crash
                      FindCase{"housenumber='101室", 1, 5, -1}, FindCase{"nosuchcolumn=1", 1, 5, -1},
                      FindCase{"housenumber + 1 = 2", 1, 5, -1}, FindCase{"", 1, 5, -1}));

TEST(Find, EmptyViewFindsNothing)
{
    DataView v(houseDef());
    EXPECT_LT(v.find(QStringLiteral("housenumber='1'"), 1, v.rowCount()), 1);
    EXPECT_EQ(v.find(QStringLiteral("housenumber='1'"), 1, 0), 0);
    EXPECT_EQ(v.find(QStringLiteral("housenumber=="), 1, 0), -1);
}

// Typed text between quotes must stay one literal, whatever it holds.
TEST(Quote, TypedTextCanNeitherEndTheLiteralNorWidenTheSearch)
{
    auto v = sampleHouses();
    const QString attack = QStringLiteral("1' or '1'='1");
    EXPECT_EQ(v->find(QStringLiteral("HouseNumber=") + DataView::quote(attack), 1, v->rowCount()), 0);
    EXPECT_EQ(v->setFilter(QStringLiteral("HouseNumber=") + DataView::quote(attack)), 1);
    EXPECT_EQ(v->filter(), 1);
    EXPECT_EQ(v->rowCount(), 0);

    for (const QString& text : {QStringLiteral("O'Brien"), QStringLiteral("a~"), QStringLiteral("~'"),
                                QStringLiteral("\"x\""), QStringLiteral("''"), QStringLiteral("多行\n文字"), QString()}) {
        EXPECT_EQ(v->evaluate(DataView::quote(text), 1), QVariant(text)) << text.toStdString();
    }
    v->setFilter(QString());
    v->filter();
    EXPECT_EQ(v->find(QStringLiteral("note=") + DataView::quote(QStringLiteral("O'Brien")), 1, 5), 4);
}

TEST(Filter, KeepsMatchingRowsAndBringsOthersBackInOrder)
{
    auto v = sampleHouses();
    ASSERT_EQ(v->setFilter(QStringLiteral("BuildingNo=1")), -1) << "no such column";
    ASSERT_EQ(v->setFilter(QStringLiteral("Building=1")), 1);
    ASSERT_EQ(v->filter(), 1);
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"1", "2", "4"}));
    EXPECT_EQ(v->filteredCount(), 2);
    EXPECT_EQ(v->getItem(1, QStringLiteral("k"), Buffer::Filter), QVariant(qlonglong(3)));
    EXPECT_EQ(columnTexts(*v, QStringLiteral("rowno")), QStringList({"1", "2", "3"}));

    ASSERT_EQ(v->setFilter(QStringLiteral("building=2")), 1);
    ASSERT_EQ(v->filter(), 1);
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"3", "5"}));

    ASSERT_EQ(v->setFilter(QString()), 1);
    ASSERT_EQ(v->filter(), 1);
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(v->summary(0), QVariant(140.5));
}

TEST(Filter, BadFilterFailsAndChangesNothing)
{
    auto v = sampleHouses();
    v->setFilter(QStringLiteral("building=1"));
    v->filter();
    EXPECT_EQ(v->setFilter(QStringLiteral("RegionalNo=")), -1);
    EXPECT_EQ(v->filter(), -1) << "an older filter is not applied silently";
    EXPECT_EQ(v->rowCount(), 3);
    EXPECT_EQ(v->setFilter(QStringLiteral("housenumber + 1 > 0")), 1) << "parses, fails on the rows";
    EXPECT_EQ(v->filter(), -1);
    EXPECT_EQ(v->rowCount(), 3);

    DataView empty(houseDef());
    EXPECT_EQ(empty.setFilter(QStringLiteral("building=1")), 1);
    EXPECT_EQ(empty.filter(), 1);
}

// A filter "column = value" is answered from an index; it must agree with
// the evaluator, also after values change between two filters.
TEST(Filter, IndexedEqualityAgreesWithEvaluation)
{
    auto fast = sampleHouses();
    auto slow = sampleHouses();
    auto check = [&](const QString& simple, const QString& general) {
        ASSERT_EQ(fast->setFilter(simple), 1);
        ASSERT_EQ(fast->filter(), 1);
        ASSERT_EQ(slow->setFilter(general), 1);
        ASSERT_EQ(slow->filter(), 1);
        EXPECT_EQ(columnTexts(*fast, QStringLiteral("k")), columnTexts(*slow, QStringLiteral("k"))) << simple.toStdString();
        EXPECT_EQ(fast->filteredCount(), slow->filteredCount());
    };
    check(QStringLiteral("building=1"), QStringLiteral("building=1 and true"));
    check(QStringLiteral("building=2"), QStringLiteral("building=2 and true"));
    check(QStringLiteral("area=50"), QStringLiteral("area=50 and true"));
    check(QStringLiteral("housenumber='101室'"), QStringLiteral("housenumber='101室' and true"));
    check(QStringLiteral("unitno=0"), QStringLiteral("unitno=0 and true"));
    for (DataView* v : {fast.get(), slow.get()}) {
        v->setFilter(QString());
        v->filter();
        v->setItem(5, QStringLiteral("building"), 1);
    }
    check(QStringLiteral("building=1"), QStringLiteral("building=1 and true"));
    check(QStringLiteral("building=3"), QStringLiteral("building=3 and true"));
}

TEST(Sort, OrdersByColumnsEmptyFirstAndStable)
{
    auto v = sampleHouses();
    ASSERT_EQ(v->setSort(QStringLiteral("unitno asc,FloorNo asc,housenumber asc")), 1);
    ASSERT_EQ(v->sort(), 1);
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"5", "3", "4", "2", "1"}));
    EXPECT_EQ(columnTexts(*v, QStringLiteral("rowno")), QStringList({"1", "2", "3", "4", "5"}));

    ASSERT_EQ(v->setSort(QStringLiteral("building D, k a")), 1);
    v->sort();
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"3", "5", "1", "2", "4"}));

    EXPECT_EQ(v->setSort(QStringLiteral("nosuch asc")), -1);
    EXPECT_EQ(v->setSort(QStringLiteral("k upward")), -1);
    EXPECT_EQ(v->sortSpec(), QStringLiteral("building D, k a")) << "a bad spec keeps the last good one";
}

// Whatever the kind of the key column (integers, texts, decimals, dates,
// empty cells, a computed column), the list orders rows as the expressions
// compare their values: empty cells first, ties in their earlier order.
TEST(Sort, EveryKindOfKeyOrdersAsTheExpressionsCompare)
{
    auto v = storedHouses({
        {{"k", 1}, {"building", 2}, {"housenumber", "b"}, {"area", 50.0}, {"born", QDate(1990, 5, 1)}},
        {{"k", 2}, {"housenumber", "A"}, {"area", 7.25}, {"born", QDate(1980, 1, 2)}},
        {{"k", 3}, {"building", 1}, {"area", 50.0}},
        {{"k", 4}, {"building", 2}, {"housenumber", "十"}, {"born", QDate(1990, 5, 1)}},
        {{"k", 5}, {"building", -3}, {"housenumber", "b"}, {"area", 100.0}, {"born", QDate(2001, 12, 31)}},
        {{"k", 6}, {"building", 1}, {"housenumber", ""}, {"area", 0.5}},
    });
    for (const char* column : {"building", "housenumber", "area", "born", "rowno"})
        for (const bool descending : {false, true}) {
            const QString name = QString::fromLatin1(column);
            // The reference: the rows as they stand, ordered by a stable sort over the compared values.
            std::vector<std::pair<QVariant, QString>> rows;
            for (int r = 1; r <= v->rowCount(); ++r)
                rows.push_back({v->getItem(r, name), v->getItemString(r, QStringLiteral("k"))});
            std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
                const QVariant& x = a.first;
                const QVariant& y = b.first;
                const int c = !x.isValid() || !y.isValid() ? int(x.isValid()) - int(y.isValid())
                                                            : expr::values::compare(x, y).value_or(0);
                return descending ? c > 0 : c < 0;
            });
            QStringList expected;
            for (const auto& r : rows) expected << r.second;
            ASSERT_EQ(v->setSort(name + (descending ? QStringLiteral(" d") : QStringLiteral(" a"))), 1);
            ASSERT_EQ(v->sort(), 1);
            EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), expected) << column << (descending ? " desc" : " asc");
        }
}

// Texts sort as QString compares them (UTF-16 code units), whether kept in
// the cell (up to 7 bytes) or apart, repeated or not: ASCII, accented Latin,
// CJK, private use and full-width forms (U+E000..U+FFFF) and characters
// beyond U+FFFF, which UTF-16 puts before the full-width forms.
TEST(Sort, TextsOrderAsTheirUtf16FormsCompare)
{
    const QStringList texts = {
        QStringLiteral("b"), QStringLiteral("ab"), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("é"),
        QStringLiteral("十"), QStringLiteral("１"), QString(QChar(0xE000)), QStringLiteral("𠀀"),
        QStringLiteral("𠀀1"), QStringLiteral("一二三四五六"), QStringLiteral("一二三四五七"), QStringLiteral("一二三"),
        QStringLiteral("b"), QStringLiteral("一二三四五六"), QStringLiteral("Ｚ０１"), QStringLiteral("𠀀Ｚ"),
    };
    QList<QList<QPair<QString, QVariant>>> rows;
    for (int i = 0; i < texts.size(); ++i) rows.append({{"k", i}, {"housenumber", texts[i]}});
    auto v = storedHouses(rows);
    for (const bool descending : {false, true}) {
        std::vector<int> order(size_t(texts.size()));
        for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = texts[a].compare(texts[b]);
            return descending ? c > 0 : c < 0;
        });
        QStringList expected;
        for (int i : order) expected << QString::number(i);
        ASSERT_EQ(v->setSort(descending ? QStringLiteral("housenumber d") : QStringLiteral("housenumber a")), 1);
        ASSERT_EQ(v->sort(), 1);
        EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), expected) << (descending ? "desc" : "asc");
    }
}

// Lists come in every shape: already in order, reversed, in ordered runs
// with a few breaks, or shuffled with many ties and empty cells. Each ends in
// the order of a stable sort over the same keys, ties in their earlier order.
TEST(Sort, ListsOfEveryShapeEndAsAStableSortWouldLeaveThem)
{
    enum class Shape { InOrder, Reversed, Runs, Shuffled };
    const int n = 1000;
    for (const Shape shape : {Shape::InOrder, Shape::Reversed, Shape::Runs, Shape::Shuffled}) {
        SCOPED_TRACE(static_cast<int>(shape));
        quint32 seed = 12345;
        const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
        QList<QList<QPair<QString, QVariant>>> rows;
        struct Key {
            QVariant building;
            QString number;
        };
        std::vector<Key> keys;
        for (int i = 0; i < n; ++i) {
            QVariant building;
            QString number;
            switch (shape) {
            case Shape::InOrder: building = i / 10; number = QStringLiteral("%1").arg(i % 10); break;
            case Shape::Reversed: building = (n - i) / 10; number = QStringLiteral("%1").arg(9 - i % 10); break;
            case Shape::Runs: building = i / 12; number = QString::number(i % 12 + 1); break;   // "10" < "9"
            case Shape::Shuffled:
                if (next() % 10) building = int(next() % 7);
                number = QStringLiteral("号%1").arg(next() % 5);
                break;
            }
            rows.append({{"k", i}, {"building", building}, {"housenumber", number}});
            keys.push_back({building, number});
        }
        auto v = storedHouses(rows);
        std::vector<int> order(n);
        for (int i = 0; i < n; ++i) order[size_t(i)] = i;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const Key& x = keys[size_t(a)];
            const Key& y = keys[size_t(b)];
            if (x.building.isValid() != y.building.isValid()) return !x.building.isValid();
            if (x.building.toInt() != y.building.toInt()) return x.building.toInt() < y.building.toInt();
            return x.number.compare(y.number) < 0;
        });
        QStringList expected;
        for (int i : order) expected << QString::number(i);
        ASSERT_EQ(v->setSort(QStringLiteral("building a, housenumber a")), 1);
        ASSERT_EQ(v->sort(), 1);
        EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), expected);
    }
}

TEST(Sort, FilteredRowsReturnInSortedOrder)
{
    auto v = sampleHouses();
    v->setFilter(QStringLiteral("building=1"));
    v->filter();
    v->setSort(QStringLiteral("k desc"));
    v->sort();
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"4", "2", "1"}));
    v->setFilter(QString());
    v->filter();
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"5", "4", "3", "2", "1"}));
}

TEST(Expressions, EvaluateComputedAndSummaries)
{
    auto v = sampleHouses();
    EXPECT_EQ(v->evaluate(QStringLiteral("sum(area for all)"), 0), QVariant(140.5));
    EXPECT_EQ(v->evaluate(QStringLiteral("if(isnull(area), 0, area) * 2"), 3), QVariant(qlonglong(0)));
    EXPECT_FALSE(v->evaluate(QStringLiteral("area +"), 1).isValid());
    EXPECT_EQ(v->summaryText(0), QStringLiteral("140.50"));
    v->setItem(1, QStringLiteral("area"), 100);
    EXPECT_EQ(v->summaryText(0), QStringLiteral("190.50")) << "summaries follow changes";
    v->deleteRow(1);
    EXPECT_EQ(v->summaryText(0), QStringLiteral("90.50"));
    EXPECT_FALSE(v->summary(5).isValid());
    v->setRow(2);
    EXPECT_EQ(v->evaluate(QStringLiteral("if(currentRow()=getrow(), 1, 0)"), 2), QVariant(qlonglong(1)));
}

// A long list filtered again and again (the scope tree
// filters houses once per building) must stay an index lookup.
TEST(Filter, RepeatedEqualityFiltersOverManyRows)
{
    DataView v(houseDef());
    for (int i = 0; i < 20000; ++i) addRow(v, {{"k", i}, {"building", i % 500}});
    v.resetUpdate();
    for (int b = 0; b < 500; ++b) {
        ASSERT_EQ(v.setFilter(QStringLiteral("building=%1").arg(b)), 1);
        ASSERT_EQ(v.filter(), 1);
        ASSERT_EQ(v.rowCount(), 40);
    }
    EXPECT_EQ(v.getItemInteger(1, QStringLiteral("k")), 499);
}

} // namespace
} // namespace cr::test
