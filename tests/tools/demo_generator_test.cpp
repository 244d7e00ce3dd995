#include "schema/demo/demo_generator.h"
#include "schema/id_card_number.h"
#include "schema/schema.h"
#include "support/test_db.h"

#include <QSet>
#include <QSqlRecord>

namespace cr::test {
namespace {

using demo::DemoGenerator;
using demo::DemoOptions;
using demo::DemoResult;

qint64 count(Sqlca& db, const QString& sql)
{
    const QVariant v = db.selectValue(sql);
    EXPECT_EQ(db.sqlCode(), Sqlca::Success) << sql.toStdString() << ": " << db.sqlErrText().toStdString();
    return v.toLongLong();
}

// Every row of a table as text, in key order: two databases filled alike
// give equal dumps.
QStringList dump(Sqlca& db, const QString& table, const QString& orderBy)
{
    QStringList rows;
    auto q = db.selectRaw(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, orderBy));
    EXPECT_TRUE(q.has_value()) << db.sqlErrText().toStdString();
    if (!q) return rows;
    while (q->next()) {
        QStringList values;
        for (int c = 0; c < q->record().count(); ++c) values << q->value(c).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

bool generate(Sqlca& db, quint64 seed, DemoResult* result = nullptr, QString* error = nullptr)
{
    DemoGenerator generator(db, DemoOptions{demo::DemoSize::Small, seed});
    QString message;
    const bool ok = generator.run(result, &message);
    if (error) *error = message;
    return ok;
}

class DemoGeneratorTest : public DbTest {};

TEST_P(DemoGeneratorTest, SmallCommunityHasTheAdvertisedSize)
{
    DemoResult result;
    QString error;
    ASSERT_TRUE(generate(db(), 1, &result, &error)) << error.toStdString();
    const qint64 areas = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanage"));
    EXPECT_GE(areas, 3);
    EXPECT_LE(areas, 4);
    const qint64 buildings = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_building"));
    EXPECT_GE(buildings, 18);
    EXPECT_LE(buildings, 26);
    for (const char* kind : {"01", "02", "03"})
        EXPECT_GT(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_building WHERE roomtype = :k"),
                                   {{QStringLiteral("k"), QString::fromLatin1(kind)}}).toInt(), 0) << kind;
    const qint64 houses = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo"));
    EXPECT_GE(houses, 800);
    EXPECT_LE(houses, 1300);
    const qint64 persons = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo"));
    EXPECT_GE(persons, 2000);
    EXPECT_LE(persons, 3300);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo WHERE isdeath = '1'")), 0);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_personotherinfo WHERE isvolunteer = '1'")), 0);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_renthousereg WHERE issave = '1'")), 0);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_renthousereg WHERE issave = '2'")), 0);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_rentregistry")), 0);
    // The result reports what the tables hold.
    EXPECT_EQ(result.rows(QStringLiteral("tc_ge_houseinfo")), houses);
    EXPECT_EQ(result.rows(QStringLiteral("tc_ge_personinfo")), persons);
    EXPECT_EQ(result.rows(QStringLiteral("tc_ge_rprownhouse")),
              count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_rprownhouse")));
}

TEST_P(DemoGeneratorTest, EveryReferenceLeadsToARow)
{
    ASSERT_TRUE(generate(db(), 2));
    const char* const orphans[] = {
        "SELECT COUNT(*) FROM tc_ge_houseinfo h WHERE NOT EXISTS (SELECT 1 FROM tc_ge_building b WHERE b.buildingno = h.buildingno)",
        "SELECT COUNT(*) FROM tc_ge_building b WHERE NOT EXISTS (SELECT 1 FROM tc_ge_regionalmanage a WHERE a.regionalno = b.regionalno)",
        "SELECT COUNT(*) FROM tc_ge_rprownhouse l WHERE NOT EXISTS (SELECT 1 FROM tc_ge_houseinfo h WHERE h.houseno = l.houseno)",
        "SELECT COUNT(*) FROM tc_ge_rprownhouse l WHERE NOT EXISTS (SELECT 1 FROM tc_ge_rpr r WHERE r.rprno = l.rprno)",
        "SELECT COUNT(*) FROM tc_ge_rpr r WHERE NOT EXISTS (SELECT 1 FROM tc_ge_rprownhouse l WHERE l.rprno = r.rprno)",
        "SELECT COUNT(*) FROM tc_ge_personinfo p WHERE p.rprno IS NOT NULL AND NOT EXISTS (SELECT 1 FROM tc_ge_rpr r WHERE r.rprno = p.rprno)",
        "SELECT COUNT(*) FROM tc_ge_personotherinfo o WHERE NOT EXISTS (SELECT 1 FROM tc_ge_personinfo p WHERE p.personno = o.personno)",
        "SELECT COUNT(*) FROM tc_ge_houseinfo h WHERE h.personno IS NOT NULL AND NOT EXISTS (SELECT 1 FROM tc_ge_personinfo p WHERE p.personno = h.personno)",
        "SELECT COUNT(*) FROM tc_ge_renthousereg g WHERE NOT EXISTS (SELECT 1 FROM tc_ge_houseinfo h WHERE h.houseno = g.houseno AND h.isrent = '1')",
        "SELECT COUNT(*) FROM tc_ge_houseinfo h WHERE h.isrent = '1' AND NOT EXISTS (SELECT 1 FROM tc_ge_renthousereg g WHERE g.houseno = h.houseno)",
        "SELECT COUNT(*) FROM tc_ge_rentregistry t WHERE NOT EXISTS (SELECT 1 FROM tc_ge_renthousereg g WHERE g.orderno = t.orderno AND g.houseno = t.houseno)",
        "SELECT COUNT(*) FROM tc_ge_rentregistry t WHERE NOT EXISTS (SELECT 1 FROM tc_ge_personinfo p WHERE p.personno = t.personno)",
        // A tenant's rental never starts before the house's registration.
        "SELECT COUNT(*) FROM tc_ge_rentregistry t, tc_ge_renthousereg g WHERE g.orderno = t.orderno AND t.startrentdate < g.startrentdate",
        // A let private house has its owner in the person register.
        "SELECT COUNT(*) FROM tc_ge_houseinfo WHERE isrent = '1' AND droittype = '01' AND personno IS NULL",
        // Unique names and addresses; unique house numbers within building and door.
        "SELECT COUNT(*) FROM (SELECT buildingname FROM tc_ge_building GROUP BY buildingname HAVING COUNT(*) > 1) d",
        "SELECT COUNT(*) FROM (SELECT address FROM tc_ge_building GROUP BY address HAVING COUNT(*) > 1) d",
        "SELECT COUNT(*) FROM (SELECT buildingno, unitno, housenumber FROM tc_ge_houseinfo GROUP BY buildingno, unitno, housenumber HAVING COUNT(*) > 1) d",
        "SELECT COUNT(*) FROM (SELECT idcard FROM tc_ge_personinfo GROUP BY idcard HAVING COUNT(*) > 1) d",
    };
    for (const char* sql : orphans) EXPECT_EQ(count(db(), QString::fromLatin1(sql)), 0) << sql;
}

TEST_P(DemoGeneratorTest, MultiStoreyBuildingsHoldExactlyTheHousesTheirCountsMake)
{
    ASSERT_TRUE(generate(db(), 3));
    auto q = db().select(QStringLiteral(
        "SELECT b.buildingno, b.unitnum * b.upfloornum * b.floorhouesnum, "
        "(SELECT COUNT(*) FROM tc_ge_houseinfo h WHERE h.buildingno = b.buildingno), b.prepare3, "
        "(SELECT MIN(h.unitname) FROM tc_ge_houseinfo h WHERE h.buildingno = b.buildingno) "
        "FROM tc_ge_building b WHERE b.roomtype = '01'"));
    ASSERT_TRUE(q.has_value());
    int buildings = 0;
    while (q->next()) {
        ++buildings;
        EXPECT_EQ(q->value(1).toInt(), q->value(2).toInt()) << "building " << q->value(0).toInt();
        EXPECT_EQ(q->value(3).toString(), QStringLiteral("单元"));
        EXPECT_EQ(q->value(4).toString(), QStringLiteral("单元"));
    }
    EXPECT_GT(buildings, 10);
    // Floor 3, house 2 of a building with fewer than ten floors and houses per floor.
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo h, tc_ge_building b "
                                         "WHERE h.buildingno = b.buildingno AND b.upfloornum < 10 "
                                         "AND b.floorhouesnum >= 2 AND h.floorno = 3 AND h.housenumber = '302室'")),
              0);
    // Bungalow compounds: door 0, floor 1, plain ordinals.
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo h, tc_ge_building b "
                                         "WHERE h.buildingno = b.buildingno AND b.roomtype = '02' "
                                         "AND (h.unitno <> 0 OR h.floorno <> 1 OR h.housenumber LIKE '%室')")),
              0);
}

TEST_P(DemoGeneratorTest, PersonsCarryValidIdentityNumbersAndListedCodes)
{
    ASSERT_TRUE(generate(db(), 4));
    auto q = db().select(QStringLiteral("SELECT idcard, birthdate, sex FROM tc_ge_personinfo"));
    ASSERT_TRUE(q.has_value());
    int persons = 0;
    while (q->next()) {
        ++persons;
        const QString id = q->value(0).toString();
        ASSERT_TRUE(schema::IdCardNumber::isValid(id)) << id.toStdString();
        ASSERT_EQ(schema::IdCardNumber::birthDate(id), q->value(1).toDate()) << id.toStdString();
        ASSERT_EQ(schema::IdCardNumber::isMale(id) ? QStringLiteral("1") : QStringLiteral("2"), q->value(2).toString());
    }
    EXPECT_GT(persons, 1000);
    const std::pair<const char*, const char*> coded[] = {
        {"sex", "dddw_gb_sex"},         {"nationality", "dddw_gb_folk"},   {"polity", "dddw_gb_polity"},
        {"edulevel", "dddw_gb_edulevel"}, {"personkind", "dddw_gb_jobstatus"}, {"rprtype", "dddw_ge_rprtype"},
        {"rprstatus", "dddw_ge_rprstatus"},
    };
    for (const auto& [column, list] : coded) {
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo p WHERE p.%1 IS NOT NULL "
                                                  "AND NOT EXISTS (SELECT 1 FROM tc_codelist c WHERE c.listname = :l "
                                                  "AND c.tcode = p.%1)").arg(QLatin1String(column)),
                                   {{QStringLiteral("l"), QString::fromLatin1(list)}}).toInt(), 0)
            << column;
    }
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo WHERE contactphone IS NOT NULL "
                                         "AND (LENGTH(contactphone) <> 11 OR contactphone NOT LIKE '1%')")),
              0);
}

TEST_P(DemoGeneratorTest, SameSeedSameRowsOtherSeedOtherRows)
{
    ASSERT_TRUE(generate(db(), 77));
    QString reason;
    auto same = openFreshDatabase(GetParam(), true, &reason);
    auto other = openFreshDatabase(GetParam(), true, &reason);
    ASSERT_TRUE(same && other) << reason.toStdString();
    ASSERT_TRUE(generate(*same->sqlca, 77));
    ASSERT_TRUE(generate(*other->sqlca, 78));
    const std::pair<const char*, const char*> tables[] = {
        {"tc_ge_building", "buildingno"},  {"tc_ge_houseinfo", "houseno"},   {"tc_ge_personinfo", "personno"},
        {"tc_ge_rprownhouse", "rprno, houseno"}, {"tc_ge_rentregistry", "orderno, personno"},
        {"tc_ge_buildingmanage", "buildingmanagerno"}, {"tc_ge_buildingdean", "buildingmanagerno"},
        {"tc_ge_regionalmanager", "orderno"}, {"tc_og_inhabteamscope", "teamno"}, {"tc_og_inhabteamleader", "orderno"},
    };
    for (const auto& [table, key] : tables) {
        const QStringList mine = dump(db(), QString::fromLatin1(table), QString::fromLatin1(key));
        EXPECT_FALSE(mine.isEmpty()) << table;
        EXPECT_EQ(mine, dump(*same->sqlca, QString::fromLatin1(table), QString::fromLatin1(key))) << table;
        EXPECT_NE(mine, dump(*other->sqlca, QString::fromLatin1(table), QString::fromLatin1(key))) << table;
    }
}

TEST_P(DemoGeneratorTest, RowsCarryTheCommunityNumberOfTheSettings)
{
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("commno"), QStringLiteral("110105002003")));
    ASSERT_TRUE(db().commit());
    ASSERT_TRUE(generate(db(), 5));
    for (const char* table : {"tc_ge_regionalmanage", "tc_ge_building", "tc_ge_houseinfo", "tc_ge_rprownhouse",
                              "tc_ge_renthousereg", "tc_ge_rentregistry"})
        EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM %1 WHERE commno <> '110105002003' OR commno IS NULL")
                                  .arg(QLatin1String(table))),
                  0)
            << table;
    EXPECT_EQ(db().commNo(), QStringLiteral("110105002003"));
}

TEST_P(DemoGeneratorTest, RefusesADatabaseThatHoldsRegistryData)
{
    ASSERT_TRUE(generate(db(), 6));
    const qint64 houses = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo"));
    QString error;
    EXPECT_FALSE(generate(db(), 7, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("已有登记数据"))) << error.toStdString();
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo")), houses);
}

TEST_P(DemoGeneratorTest, RefusesToCommitSomeoneElsesPendingChanges)
{
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("commno"), QStringLiteral("999")));
    ASSERT_TRUE(db().inTransaction());
    QString error;
    EXPECT_FALSE(generate(db(), 9, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("未提交"))) << error.toStdString();
    ASSERT_TRUE(db().rollback());
    EXPECT_NE(schema::setting(db(), QStringLiteral("commno")), QStringLiteral("999"));
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_building")), 0);
}

TEST_P(DemoGeneratorTest, AFailureLateInTheLoadLeavesNothingBehind)
{
    // All team leaders carry the same community number: a unique index on it
    // makes the very last table fail after everything else has been written.
    ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE UNIQUE INDEX demo_test_block ON tc_og_inhabteamleader (commno)")));
    ASSERT_TRUE(db().commit());
    QString error;
    EXPECT_FALSE(generate(db(), 8, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("tc_og_inhabteamleader"))) << error.toStdString();
    EXPECT_FALSE(db().inTransaction());
    for (const QString& table : DemoGenerator::tables())
        EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)), 0) << table.toStdString();
}

INSTANTIATE_ENGINES(DemoGeneratorTest);

} // namespace
} // namespace cr::test
