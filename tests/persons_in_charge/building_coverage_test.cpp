// Who looks after what: a building's cells with the living deans whose
// stored ranges cover them, read from the database.

#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "persons_in_charge/coverage_window.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <gtest/gtest.h>

namespace cr::persons_in_charge {
namespace {

using State = BuildingCoverage::State;

class BuildingCoverageTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // Building 1: two doors, two floors.
        run("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, unitnum, upfloornum, prepare3) "
            "VALUES ('1', '一号楼', '和平里1号', '01', 2, 2, '单元')");
        for (const char* person : {"('P1', '王一', NULL)", "('P2', '王二', '0')", "('P3', '王三', '1')",
                                   "('P4', '王四', NULL)", "('P5', '王五', NULL)"})
            run(QStringLiteral("INSERT INTO tc_ge_personinfo (personno, personname, isdeath) VALUES %1").arg(person));
        dean(1, "P1", "51", "1单元全部", "B1U1");
        dean(2, "P2", "52", "1单元2层，2单元2层", "B1U1F2,B1U2F2");
        dean(3, "P3", "51", "全部", "B1");                 // deceased: looks after nothing
        dean(4, "P4", "53", QString(), QString());          // no range chosen
        dean(5, "P5", "53", "3单元全部", "B1U3,B1U1F1");   // partly outside the building
        ASSERT_TRUE(db().commit());
    }
    void run(const QString& sql) { ASSERT_TRUE(db().execute(sql)) << db().sqlErrText().toStdString(); }
    void dean(int no, const char* person, const char* duty, const QString& text, const QString& code)
    {
        run(QStringLiteral("INSERT INTO tc_ge_buildingdean (commno, buildingmanagerno, buildingno, personno, duty) "
                           "VALUES ('1', %1, 1, '%2', '%3')").arg(no).arg(person, duty));
        if (!text.isNull())
            ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_buildingmanage (commno, buildingmanagerno, "
                                                    "buildingno, scopename, scopecode, issave) "
                                                    "VALUES ('1', :no, 1, :text, :code, '2')"),
                                     {{"no", no}, {"text", text}, {"code", code}}));
    }
};

TEST_P(BuildingCoverageTest, ShowsWhoCoversEachCellAndWhereNobodyOrSeveralDo)
{
    const std::optional<BuildingCoverage> coverage = BuildingCoverage::read(db(), 1);
    ASSERT_TRUE(coverage.has_value());
    ASSERT_EQ(coverage->deans().size(), 4);   // the deceased dean is left out
    EXPECT_EQ(coverage->deans()[0].range.duty, QStringLiteral("楼长"));

    const struct {
        const char* name;
        Cell cell;
        QStringList names;
        State state;
    } cases[] = {
        {"1单元1层", {0, 1}, {"王一", "王五"}, State::Shared},
        {"1单元2层", {0, 2}, {"王一", "王二"}, State::Shared},
        {"2单元1层", {1, 1}, {}, State::Uncovered},
        {"2单元2层", {1, 2}, {"王二"}, State::Covered},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coverage->namesAt(c.cell), c.names) << c.name;
        EXPECT_EQ(coverage->state(c.cell), c.state) << c.name;
    }
    EXPECT_EQ(coverage->summary(), QStringLiteral("共4格：无人负责1格，多人负责2格。"));
    EXPECT_EQ(coverage->deans()[2].problems, QStringList{QStringLiteral("没有选择管理范围")});
    EXPECT_EQ(coverage->deans()[3].problems,
              QStringList({QStringLiteral("以下部分不在本楼院内或无法识别："), QStringLiteral("3单元全部")}));
    EXPECT_FALSE(BuildingCoverage::read(db(), 99).has_value());
}

TEST_P(BuildingCoverageTest, ThePageShowsTheFirstBuildingAndAnyOtherChosen)
{
    ViewCatalog catalog;
    harness::ScriptedUi ui;
    MessageObject message;
    const WindowContext context{db(), ui, catalog, message};
    const WindowInfo info{.name = CoverageWindow::windowName(), .title = CoverageWindow::windowTitle()};
    CoverageWindow page(context, info);
    ASSERT_TRUE(page.open());
    ASSERT_EQ(page.buildings().size(), 1);
    EXPECT_EQ(page.currentBuilding(), 1);
    EXPECT_EQ(page.statusText(), QStringLiteral("共4格：无人负责1格，多人负责2格。"));
    EXPECT_FALSE(page.showBuilding(42));
    EXPECT_FALSE(page.coverage().has_value());
    EXPECT_EQ(page.statusText(), QStringLiteral("找不到该楼院。"));
    page.refresh();   // back to the first building
    EXPECT_EQ(page.currentBuilding(), 1);
}

INSTANTIATE_ENGINES(BuildingCoverageTest);

} // namespace
} // namespace cr::persons_in_charge
