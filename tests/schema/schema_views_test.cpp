#include "support/test_db.h"

#include <QSqlRecord>

namespace cr::test {
namespace {

// Two areas (one empty), three buildings (one without area), houses,
// households linked to houses and persons, some deceased.
class SchemaViewsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        area1 = key("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('c', '第一责任区')", "regionalno");
        area2 = key("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('c', '第二责任区')", "regionalno");
        b1 = building(area1, "1号楼");
        b2 = building(area1, "2号楼");
        b3 = building(QVariant(QMetaType(QMetaType::Int)), "无区域楼");
        const QVariant h1 = house(b1), h2 = house(b1, "102室"), h3 = house(b2), h4 = house(b3);
        link("R1", h1);
        link("R1", h2);     // one household in two houses of the area
        link("R2", h3);
        link("R4", h3);     // a household without persons
        link("R3", h4);     // lives outside every area
        person("P1", "R1", "0");
        person("P2", "R1", QVariant(QMetaType(QMetaType::QString)));
        person("P3", "R1", "1");   // deceased
        person("P4", "R2", "0");
        person("P5", "R2", "0");
        person("P6", "R3", "0");
        ASSERT_TRUE(db().commit());
    }

    QVariant key(const char* sql, const char* keyColumn, const SqlParams& params = {})
    {
        const QVariant k = db().insertReturningKey(QString::fromUtf8(sql), params, QString::fromLatin1(keyColumn));
        EXPECT_FALSE(k.isNull()) << sql << ": " << db().sqlErrText().toStdString();
        return k;
    }
    QVariant building(const QVariant& area, const char* name)
    {
        return key("INSERT INTO tc_ge_building (commno, regionalno, buildingname) VALUES ('c', :a, :n)", "buildingno",
                   {{QStringLiteral("a"), area}, {QStringLiteral("n"), QString::fromUtf8(name)}});
    }
    QVariant house(const QVariant& building, const char* number = "101室")
    {
        return key("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, housenumber) VALUES ('c', :b, 1, :n)",
                   "houseno", {{QStringLiteral("b"), building}, {QStringLiteral("n"), QString::fromUtf8(number)}});
    }
    void link(const char* rprno, const QVariant& house)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) VALUES ('c', :r, :h)"),
                                 {{QStringLiteral("r"), QString::fromLatin1(rprno)}, {QStringLiteral("h"), house}}));
    }
    void person(const char* personno, const char* rprno, const QVariant& isdeath)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (personno, personname, rprno, isdeath) "
                                                "VALUES (:p, '张三', :r, :d)"),
                                 {{QStringLiteral("p"), QString::fromLatin1(personno)},
                                  {QStringLiteral("r"), QString::fromLatin1(rprno)},
                                  {QStringLiteral("d"), isdeath}}));
    }

    // Rows of a query as "a|b|c" texts, NULL as "-".
    QStringList rows(const QString& sql, const SqlParams& params = {})
    {
        QStringList out;
        auto q = db().select(sql, params);
        if (!q) {
            ADD_FAILURE() << db().sqlErrText().toStdString();
            return out;
        }
        while (q->next()) {
            QStringList cells;
            for (int i = 0; i < q->record().count(); ++i)
                cells << (q->value(i).isNull() ? QStringLiteral("-") : q->value(i).toString());
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    QVariant area1, area2, b1, b2, b3;
};

TEST_P(SchemaViewsTest, AreaListShowsEmptyCountsForAnAreaWithoutBuildingsOrResidents)
{
    const QStringList list = rows(QStringLiteral(
        "SELECT tc_ge_regionalmanage.regionalname, v_ge_regionalbuilding.buildingnum, "
        "       v_ge_regionalrprperson.rprnum, v_ge_regionalrprperson.personnum "
        "FROM tc_ge_regionalmanage "
        "LEFT OUTER JOIN v_ge_regionalbuilding ON v_ge_regionalbuilding.regionalno = tc_ge_regionalmanage.regionalno "
        "LEFT OUTER JOIN v_ge_regionalrprperson ON v_ge_regionalrprperson.regionalno = tc_ge_regionalmanage.regionalno "
        "ORDER BY tc_ge_regionalmanage.regionalno"));
    // Area 1: two buildings; households R1 (twice linked, counted once), R2, R4;
    // living persons 2 + 2 + 0. Area 2: nothing at all.
    EXPECT_EQ(list, (QStringList{QStringLiteral("第一责任区|2|3|4"), QStringLiteral("第二责任区|-|-|-")}));
}

TEST_P(SchemaViewsTest, BuildingWithoutAreaStillLists)
{
    const QStringList list = rows(QStringLiteral(
        "SELECT tc_ge_building.buildingname, tc_ge_regionalmanage.regionalname FROM tc_ge_building "
        "LEFT OUTER JOIN tc_ge_regionalmanage ON tc_ge_regionalmanage.regionalno = tc_ge_building.regionalno "
        "ORDER BY tc_ge_building.buildingno"));
    EXPECT_EQ(list, (QStringList{QStringLiteral("1号楼|第一责任区"), QStringLiteral("2号楼|第一责任区"),
                                 QStringLiteral("无区域楼|-")}));
}

TEST_P(SchemaViewsTest, PersonsPerHouseholdLeaveOutTheDeceased)
{
    EXPECT_EQ(rows(QStringLiteral("SELECT RprNo, PersonNum FROM V_TC_GE_PersonInfo ORDER BY RprNo")),
              (QStringList{QStringLiteral("R1|2"), QStringLiteral("R2|2"), QStringLiteral("R3|1")}));
}

TEST_P(SchemaViewsTest, ScopeCountStatementsRunAgainstTheViews)
{
    // The household and person counts of a whole building, as the scope count issues them.
    const SqlParams building{{QStringLiteral("buildingno"), b1}};
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo WHERE "
                                              "TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND "
                                              "TC_GE_HouseInfo.BuildingNo = :buildingno"),
                               building).toInt(),
              2);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT SUM(PersonNum) FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo, V_TC_GE_PersonInfo "
                                              "WHERE TC_GE_RprOwnHouse.RprNo = V_TC_GE_PersonInfo.RprNo AND "
                                              "TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND "
                                              "TC_GE_HouseInfo.BuildingNo = :buildingno"),
                               building).toInt(),
              4);
}

INSTANTIATE_ENGINES(SchemaViewsTest);

} // namespace
} // namespace cr::test
