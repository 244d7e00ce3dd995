#include "resident_teams/scope_count.h"

#include "schema/demo/demo_generator.h"
#include "team_fixture.h"

namespace cr::resident_teams::test {
namespace {

// The count as it was first written: the per-household counting view summed
// per element, each statement parsed on every run. The faster statements of
// gf_scope2rprnum must give the same totals.
struct Counts {
    qlonglong households = 0;
    qlonglong persons = 0;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c)
{
    return out << c.households << " households, " << c.persons << " persons";
}

Counts referenceCount(Sqlca& db, const QString& code)
{
    Counts c;
    if (code.isEmpty()) return c;
    const auto number = [](const QString& s) {
        bool ok = false;
        const qlonglong n = s.trimmed().toLongLong(&ok);
        return ok ? n : 0;
    };
    const auto add = [&](const QString& sql, const SqlParams& params, qlonglong& total, qlonglong least) {
        const QVariant v = db.selectValue(sql, params);
        if (!v.isNull() && v.toLongLong() >= least) total += v.toLongLong();
    };
    const QString links = QStringLiteral("SELECT COUNT(*) FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo WHERE "
                                         "TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND ");
    const QString sums = QStringLiteral(
        "SELECT SUM(PersonNum) FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo, V_TC_GE_PersonInfo WHERE "
        "TC_GE_RprOwnHouse.RprNo = V_TC_GE_PersonInfo.RprNo AND TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND ");
    for (const QString& e : code.split(QLatin1Char(','))) {
        if (e.isEmpty()) continue;
        const QChar kind = e.at(0);
        QString where;
        SqlParams params;
        if (kind == QLatin1Char('B')) {
            const int p = e.indexOf(QLatin1Char('U')) + 1;
            if (p < 1) {
                where = QStringLiteral("TC_GE_HouseInfo.BuildingNo = :buildingno");
                params = {{"buildingno", number(e.mid(1))}};
            } else {
                where = QStringLiteral("TC_GE_HouseInfo.UnitNo = :unitno AND TC_GE_HouseInfo.BuildingNo = :buildingno");
                params = {{"unitno", number(e.mid(p, e.size() - p))}, {"buildingno", number(e.mid(1, p - 2))}};
            }
        } else if (kind == QLatin1Char('H')) {
            where = QStringLiteral("TC_GE_HouseInfo.HouseNo = :houseno");
            params = {{"houseno", number(e.mid(1))}};
        } else if (kind == QLatin1Char('R')) {
            c.households += 1;
            add(QStringLiteral("SELECT COUNT(*) FROM TC_GE_PersonInfo WHERE RprNo = :rprno"), {{"rprno", e.mid(1)}},
                c.persons, 1);
            continue;
        } else {
            continue;
        }
        add(links + where, params, c.households, 1);
        add(sums + where, params, c.persons, 1);
    }
    return c;
}

Counts count(Sqlca& db, const QString& code)
{
    Counts c{-1, -1};
    EXPECT_EQ(gf_scope2rprnum(db, code, c.households, c.persons), 0);
    return c;
}

class ScopeCountTest : public TeamFixture {};

TEST_P(ScopeCountTest, CountsEveryKindOfElementAsTheViewStatementsDo)
{
    const struct {
        const char* name;
        const char* code;
        Counts expected;
    } cases[] = {
        {"empty code", "", {0, 0}},
        // Five link rows (101 twice, the link without household too); 101's
        // two living persons once per link, 102's two, 103 none.
        {"whole building", "B{b1}", {5, 6}},
        {"one door", "B{b1}U1", {3, 4}},
        {"door of a household that lives in two doors", "B{b1}U2", {1, 2}},
        {"door number 0", "B{b1}U0", {1, 0}},
        {"door number from empty text", "B{b1}U", {1, 0}},
        {"door piece with a second U", "B{b1}U1U2", {1, 0}},
        {"building number from empty text", "BU1", {0, 0}},
        {"building alone", "B", {0, 0}},
        {"bungalow compound", "B{b2}", {1, 1}},
        {"house", "H{h1}", {1, 2}},
        {"house without households: null sum adds nothing", "H{h6}", {0, 0}},
        {"house number not a number", "Habc", {0, 0}},
        {"missing house", "H999999", {0, 0}},
        {"household counts its deceased too", "R0042", {1, 2}},
        {"household number compared as text", "R42", {1, 0}},
        {"household that does not exist still counts 1", "RX9", {1, 0}},
        {"R alone", "R", {1, 0}},
        {"lower-case kind", "b{b1}", {0, 0}},
        {"unknown kind", "X{b1}", {0, 0}},
        {"no kind letter", "{b1}", {0, 0}},
        {"empty elements", ",,B{b2},", {1, 1}},
        {"door beside its building counted twice", "B{b1},B{b1}U1", {8, 10}},
        {"overlapping door, house and household", "B{b1}U1,H{h1},R101", {5, 9}},
        {"two areas", "B{b1},B{b3}", {6, 7}},
    };
    for (const auto& c : cases) {
        const QString code = expand(QString::fromUtf8(c.code));
        EXPECT_EQ(count(db(), code), c.expected) << c.name << " (" << code.toStdString() << ")";
        EXPECT_EQ(referenceCount(db(), code), c.expected) << "view statements, " << c.name;
    }

    // Many elements of one kind are counted a hundred at a time: every
    // repetition still counts, across and within batches.
    QStringList many;
    for (int i = 0; i < 150; ++i) many << expand(QStringLiteral("B{b1}U1")) << expand(QStringLiteral("H{h1}"));
    for (int i = 0; i < 101; ++i) many << QStringLiteral("R0042");
    EXPECT_EQ(count(db(), many.join(QLatin1Char(','))), (Counts{150 * 3 + 150 + 101, 150 * 4 + 150 * 2 + 101 * 2}));
}

TEST_P(ScopeCountTest, ResetsTheCountsAndLeavesTheConnectionAsItWas)
{
    qlonglong households = 77, persons = 88;
    gf_scope2rprnum(db(), QString(), households, persons);
    EXPECT_EQ(households, 0);
    EXPECT_EQ(persons, 0);

    // The count examines no status and sets none.
    db().selectValue(QStringLiteral("SELECT buildingname FROM tc_ge_building WHERE buildingno = -1"));
    ASSERT_EQ(db().sqlCode(), Sqlca::NotFound);
    gf_scope2rprnum(db(), expand(QStringLiteral("B{b1},R101")), households, persons);
    EXPECT_EQ(db().sqlCode(), Sqlca::NotFound);
    EXPECT_FALSE(db().inTransaction());
}

INSTANTIATE_ENGINES(ScopeCountTest);

// On a whole demo community: every building and every door alone, and all of
// them with every twentieth house and some households as one scope.
class ScopeCountDemoTest : public cr::test::DbTest {};

TEST_P(ScopeCountDemoTest, SameTotalsAsTheViewStatementsOnTheDemoCommunity)
{
    demo::DemoGenerator generator(db(), demo::DemoOptions{demo::DemoSize::Small, 11});
    QString error;
    ASSERT_TRUE(generator.run(nullptr, &error)) << error.toStdString();

    QStringList elements;
    const auto collect = [&](const QString& sql) {
        auto q = db().select(sql);
        ASSERT_TRUE(q.has_value()) << db().sqlErrText().toStdString();
        while (q->next()) elements << q->value(0).toString();
    };
    collect(QStringLiteral("SELECT 'B' + convert(varchar(10), buildingno) FROM tc_ge_building ORDER BY buildingno"));
    collect(QStringLiteral("SELECT DISTINCT 'B' + convert(varchar(10), buildingno) + 'U' + convert(varchar(10), unitno) "
                           "FROM tc_ge_houseinfo WHERE unitno > 0"));
    collect(QStringLiteral("SELECT 'H' + convert(varchar(10), houseno) FROM tc_ge_houseinfo WHERE houseno % 20 = 0"));
    collect(QStringLiteral("SELECT 'R' + rprno FROM tc_ge_rpr WHERE rprno LIKE '%17'"));
    ASSERT_GT(elements.size(), 100);

    // Each building and door alone (a house or household alone is what the
    // edge cases above check), then everything as one scope.
    for (const QString& e : elements)
        if (e.startsWith(QLatin1Char('B'))) ASSERT_EQ(count(db(), e), referenceCount(db(), e)) << e.toStdString();
    const QString all = elements.join(QLatin1Char(','));
    const Counts total = count(db(), all);
    EXPECT_EQ(total, referenceCount(db(), all));
    EXPECT_GT(total.persons, total.households);
}

INSTANTIATE_ENGINES(ScopeCountDemoTest);

} // namespace
} // namespace cr::resident_teams::test
