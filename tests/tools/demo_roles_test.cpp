#include "persons_in_charge/floor_queries.h"
#include "persons_in_charge/range_code.h"
#include "persons_in_charge/range_text.h"
#include "resident_teams/scope_code.h"
#include "resident_teams/scope_count.h"
#include "schema/demo/demo_generator.h"
#include "schema/registry_counts.h"
#include "support/test_db.h"

#include <QDate>
#include <QSet>

// The persons in charge and resident teams of the demo community: the rows
// must read back through the registers' own code readers as a clerk's would.
namespace cr::test {
namespace {

using namespace persons_in_charge;
using namespace resident_teams;

qint64 count(Sqlca& db, const QString& sql, const SqlParams& args = {})
{
    const QVariant v = db.selectValue(sql, args);
    EXPECT_EQ(db.sqlCode(), Sqlca::Success) << sql.toStdString() << ": " << db.sqlErrText().toStdString();
    return v.toLongLong();
}

QList<QVariantList> rows(Sqlca& db, const QString& sql, int columns)
{
    QList<QVariantList> out;
    auto q = db.selectRaw(sql);
    EXPECT_TRUE(q.has_value()) << db.sqlErrText().toStdString();
    while (q && q->next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c) row << q->value(c);
        out << row;
    }
    return out;
}

class DemoRolesTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped()) return;
        demo::DemoGenerator generator(db(), demo::DemoOptions{demo::DemoSize::Small, 5});
        QString error;
        ASSERT_TRUE(generator.run(nullptr, &error)) << error.toStdString();
    }
};

TEST_P(DemoRolesTest, EveryRegisterHasRowsAndEveryRowItsCompanions)
{
    const qint64 buildings = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_building"));
    const qint64 withDean = count(db(), QStringLiteral("SELECT COUNT(DISTINCT buildingno) FROM tc_ge_buildingdean"));
    EXPECT_GE(withDean * 10, buildings * 6) << withDean << " of " << buildings;
    EXPECT_LT(withDean, buildings);   // most, not all: the coverage page has gaps to show
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanager")),
              count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanage")));
    const qint64 teams = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_og_inhabitantteam"));
    EXPECT_GE(teams * 4, buildings);
    EXPECT_LE(teams, buildings);

    const char* const faults[] = {
        // one range row per dean, under the dean's building
        "SELECT COUNT(*) FROM tc_ge_buildingdean d WHERE (SELECT COUNT(*) FROM tc_ge_buildingmanage m "
        "WHERE m.buildingmanagerno = d.buildingmanagerno AND m.buildingno = d.buildingno) <> 1",
        "SELECT COUNT(*) FROM tc_ge_buildingmanage m WHERE NOT EXISTS (SELECT 1 FROM tc_ge_buildingdean d "
        "WHERE d.buildingmanagerno = m.buildingmanagerno)",
        // a 5x duty of the code list
        "SELECT COUNT(*) FROM tc_ge_buildingdean d WHERE d.duty NOT LIKE '5%' OR NOT EXISTS (SELECT 1 FROM tc_codelist c "
        "WHERE c.listname = 'dddw_ge_duty' AND c.tcode = d.duty)",
        // managers and teams in existing areas
        "SELECT COUNT(*) FROM tc_ge_regionalmanager r WHERE NOT EXISTS (SELECT 1 FROM tc_ge_regionalmanage a "
        "WHERE a.regionalno = r.regionalno)",
        "SELECT COUNT(*) FROM tc_og_inhabitantteam t WHERE NOT EXISTS (SELECT 1 FROM tc_ge_regionalmanage a "
        "WHERE a.regionalno = t.regionalno)",
        // one scope row per team, one or two leaders, no leader without a team
        "SELECT COUNT(*) FROM tc_og_inhabitantteam t WHERE NOT EXISTS (SELECT 1 FROM tc_og_inhabteamscope s "
        "WHERE s.teamno = t.teamno)",
        "SELECT COUNT(*) FROM tc_og_inhabitantteam t WHERE (SELECT COUNT(*) FROM tc_og_inhabteamleader l "
        "WHERE l.teamno = t.teamno) NOT IN (1, 2)",
        "SELECT COUNT(*) FROM tc_og_inhabteamleader l WHERE NOT EXISTS (SELECT 1 FROM tc_og_inhabitantteam t "
        "WHERE t.teamno = l.teamno)",
        "SELECT COUNT(*) FROM (SELECT orgname FROM tc_og_inhabitantteam GROUP BY orgname HAVING COUNT(*) > 1) d",
    };
    for (const char* sql : faults) EXPECT_EQ(count(db(), QString::fromLatin1(sql)), 0) << sql;

    // The start page counts the teams.
    for (const schema::RegistryCount& c : schema::registryCounts(db()))
        if (c.label == QStringLiteral("居民小组")) EXPECT_EQ(c.count, teams);
}

TEST_P(DemoRolesTest, EveryoneInChargeIsALivingAdultWithOneDuty)
{
    const QDate adult = QDate(2024, 6, 30).addYears(-18);
    const std::pair<const char*, const char*> registers[] = {
        {"deans", "SELECT personno FROM tc_ge_buildingdean"},
        {"managers", "SELECT personno FROM tc_ge_regionalmanager"},
        {"leaders", "SELECT personno FROM tc_og_inhabteamleader"},
    };
    QSet<QString> seen;
    for (const auto& [name, sql] : registers) {
        const auto persons = rows(db(), QString::fromLatin1(sql), 1);
        EXPECT_FALSE(persons.isEmpty()) << name;
        for (const QVariantList& r : persons) {
            const QString personno = r[0].toString();
            EXPECT_FALSE(seen.contains(personno)) << name << " " << personno.toStdString() << " holds two duties";
            seen.insert(personno);
            EXPECT_EQ(count(db(),
                            QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo WHERE personno = :p "
                                           "AND isdeath = '0' AND birthdate <= :adult AND rprno IS NOT NULL"),
                            {{QStringLiteral("p"), QVariant(personno)}, {QStringLiteral("adult"), QVariant(adult)}}),
                      1)
                << name << " " << personno.toStdString();
        }
    }
}

TEST_P(DemoRolesTest, RangesReadBackAsTheFloorDialogTicksThem)
{
    FloorQueries floors(db());
    const auto ranges = rows(db(), QStringLiteral("SELECT m.buildingno, m.scopecode, m.scopename, b.roomtype "
                                                  "FROM tc_ge_buildingmanage m, tc_ge_building b "
                                                  "WHERE b.buildingno = m.buildingno ORDER BY m.buildingmanagerno"),
                             4);
    ASSERT_FALSE(ranges.isEmpty());
    QSet<QString> shapes;   // whole buildings, doors, floors: all three are made
    for (const QVariantList& r : ranges) {
        const qlonglong building = r[0].toLongLong();
        const QString code = r[1].toString();
        SCOPED_TRACE(code.toStdString());
        RangeCodeError error;
        const auto elements = RangeCode::parse(code, &error);
        ASSERT_TRUE(elements.has_value()) << error.text().toStdString();
        ASSERT_FALSE(elements->isEmpty());
        const auto layout = floors.layout(building, r[3].toString() == QStringLiteral("02"));
        ASSERT_TRUE(layout.has_value());
        QList<RangeElement> outside;
        const Cells cells = RangeCode::cells(*layout, *elements, &outside);
        EXPECT_TRUE(outside.isEmpty()) << "names what building " << building << " lacks";
        EXPECT_FALSE(cells.isEmpty());
        // Text and code name the same range, and the code is the shortest.
        QStringList unread;
        EXPECT_EQ(RangeText::parse(*layout, r[2].toString(), &unread), cells) << r[2].toString().toStdString();
        EXPECT_TRUE(unread.isEmpty());
        EXPECT_EQ(RangeCode::print(*layout, cells), code);
        const RangeElement& first = elements->first();
        shapes.insert(first.floors ? QStringLiteral("floors") : first.door ? QStringLiteral("door") : QStringLiteral("all"));
    }
    EXPECT_EQ(shapes.size(), 3) << QStringList(shapes.values()).join(QLatin1Char(',')).toStdString();
}

TEST_P(DemoRolesTest, ScopesNameTheTeamsBuildingsAndCarryTheirCounts)
{
    const auto scopes = rows(db(), QStringLiteral("SELECT s.scopecode, s.scopename, s.rprnum, s.personnum, t.regionalno "
                                                  "FROM tc_og_inhabteamscope s, tc_og_inhabitantteam t "
                                                  "WHERE t.teamno = s.teamno ORDER BY s.teamno"),
                             5);
    ASSERT_FALSE(scopes.isEmpty());
    QSet<qlonglong> covered;
    for (const QVariantList& r : scopes) {
        const QString code = r[0].toString();
        SCOPED_TRACE(code.toStdString());
        const QList<ScopeElement> elements = parseScopeCode(code);
        EXPECT_GE(elements.size(), 1);
        EXPECT_LE(elements.size(), 4);
        for (const ScopeElement& e : elements) {
            ASSERT_EQ(e.kind, ScopeElement::Kind::Building) << e.text.toStdString();
            EXPECT_EQ(e.text, buildingCode(e.building));
            EXPECT_FALSE(covered.contains(e.building)) << "in two teams";
            covered.insert(e.building);
            EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_building WHERE buildingno = :b "
                                                 "AND regionalno = :a"),
                            {{QStringLiteral("b"), QVariant(e.building)}, {QStringLiteral("a"), r[4]}}),
                      1);
        }
        EXPECT_EQ(r[1].toString().split(QStringLiteral("\r\n")).size(), elements.size());
        // The stored counts are what the team window would count now.
        qlonglong households = -1, persons = -1;
        EXPECT_EQ(gf_scope2rprnum(db(), code, households, persons), 0);
        EXPECT_EQ(r[2].toLongLong(), households);
        EXPECT_EQ(r[3].toLongLong(), persons);
    }
    EXPECT_GT(covered.size(), 0);
}

INSTANTIATE_ENGINES(DemoRolesTest);

} // namespace
} // namespace cr::test
