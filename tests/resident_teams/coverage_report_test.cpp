#include "resident_teams/coverage_report.h"

#include "team_fixture.h"

namespace cr::resident_teams::test {
namespace {

class CoverageReportTest : public TeamFixture {
protected:
    void team(const char* name, const QString& scope)
    {
        const QVariant no = key("INSERT INTO tc_og_inhabitantteam (commno, regionalno, orgname, issave) "
                                "VALUES ('0001', NULL, :n, '1')",
                                "teamno", {{"n", QString::fromUtf8(name)}});
        if (scope.isNull()) return;
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_og_inhabteamscope (commno, teamno, scopename, scopecode, "
                                                "rprnum, personnum, issave) VALUES ('0001', :t, '', :c, 0, 0, '1')"),
                                 {{"t", no}, {"c", expand(scope)}}));
    }
    CoverageReport report()
    {
        CoverageInput input;
        QString error;
        EXPECT_TRUE(input.read(db(), &error)) << error.toStdString();
        return coverageReport(input);
    }
};

// Counts of one row as "houses uncovered shared | households uncovered shared | persons uncovered shared".
QString counts(const CoverageCounts& c)
{
    return QStringLiteral("%1 %2 %3 | %4 %5 %6 | %7 %8")
        .arg(c.houses).arg(c.housesUncovered).arg(c.housesShared)
        .arg(c.households).arg(c.householdsUncovered).arg(c.householdsShared)
        .arg(c.personsUncovered).arg(c.personsShared);
}

TEST_P(CoverageReportTest, CountsGapsAndOverlapsPerAreaOncePerHouseAndHousehold)
{
    team("一组", QStringLiteral("B{b1}U1,H{h5}"));
    team("二组", QStringLiteral("H{h1},R103,B{b1}U1,,b{b1},X9"));   // h1 twice in one team counts once
    team("三组", QString());                                         // no scope row: covers nothing
    keys["b4"] = building("none", "无区域楼", "02");
    keys["h8"] = house("b4", 0, QVariant(), "8");
    ASSERT_TRUE(db().commit());

    const CoverageReport r = report();
    ASSERT_EQ(r.areas.size(), 3);
    const struct {
        const char* area;
        const char* counts;
    } rows[] = {
        // h1, h2 by both teams; h3, h6, h4 by none. Households 101 and 102 by
        // both (2 + 2 living persons), 103 by 二组's R, 104 by 一组.
        {"第一责任区", "6 3 2 | 4 0 2 | 0 4"},
        {"第二责任区", "1 1 0 | 1 1 0 | 1 0"},
        {"（未划分责任区）", "1 1 0 | 0 0 0 | 0 0"},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.areas[i].area, QString::fromUtf8(rows[i].area));
        EXPECT_EQ(counts(r.areas[i]), QString::fromLatin1(rows[i].counts)) << rows[i].area;
    }
    EXPECT_EQ(r.total.area, QStringLiteral("合计"));
    EXPECT_EQ(counts(r.total), QStringLiteral("8 5 2 | 5 1 2 | 1 4"));

    QStringList gaps;
    for (const CoverageGap& g : r.gaps)
        gaps << QStringLiteral("%1 %2 %3").arg(g.area, g.house, g.teams.join(QLatin1Char('+')));
    EXPECT_EQ(gaps, (QStringList{"第一责任区 地下1(1号楼) ", "第一责任区 101室(1号楼1单元) 一组+二组",
                                 "第一责任区 102室(1号楼1单元) 一组+二组", "第一责任区 201室(1号楼2单元) ",
                                 "第一责任区 202室(1号楼2单元) ", "第二责任区 101室(2号楼1单元) ", "（未划分责任区） 8(无区域楼) "}));
    EXPECT_EQ(r.gaps[1].houseNo, keyOf("h1"));
}

TEST_P(CoverageReportTest, AHouseholdInTwoAreasCountsInBothAndOnceInTheTotal)
{
    link("105", "h1");   // 105 also lives in 1号楼, which 一组 covers
    team("一组", QStringLiteral("B{b1}"));
    ASSERT_TRUE(db().commit());

    const CoverageReport r = report();
    EXPECT_EQ(counts(r.areas[0]), QStringLiteral("6 1 0 | 5 1 0 | 1 0"));   // h5 and 104 left out
    EXPECT_EQ(counts(r.areas[1]), QStringLiteral("1 1 0 | 1 0 0 | 0 0"));   // 105 is looked after all the same
    EXPECT_EQ(counts(r.total), QStringLiteral("7 2 0 | 5 1 0 | 1 0"));
}

TEST_P(CoverageReportTest, NoTeamsLeaveEverythingUncovered)
{
    const CoverageReport r = report();
    EXPECT_EQ(counts(r.total), QStringLiteral("7 7 0 | 5 5 0 | 6 0"));
    EXPECT_EQ(r.gaps.size(), 7);
}

INSTANTIATE_ENGINES(CoverageReportTest);

} // namespace
} // namespace cr::resident_teams::test
