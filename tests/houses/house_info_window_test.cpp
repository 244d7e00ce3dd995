#include "catalog/module_catalog.h"
#include "frame/dataview.h"
#include "frame/message_object.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <memory>

namespace cr::houses {
namespace {

// The house register's number list as a floor change rebuilds it: its scroll
// bar is shown from 7 numbers on.
class HouseInfoWindowTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        catalog::registerViews(views);
        catalog::registerWindows(windows);
    }

    RecordWindow* openHouse(int housesPerFloor, QVariant floor = 1)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, "
                                                "upfloornum, unitnum, prepare3, floorhouesnum, issave) VALUES "
                                                "('1', :n, :n, '01', 9, 1, '单元', :per, '1')"),
                                 {{"n", QStringLiteral("楼%1").arg(housesPerFloor)}, {"per", housesPerFloor}}));
        const QVariant building = db().selectValue(QStringLiteral("SELECT MAX(buildingno) FROM tc_ge_building"));
        const QVariant house = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, housenumber, "
                           "issave) VALUES ('1', :b, 1, '单元', :floor, '101室', '1')"),
            {{"b", building}, {"floor", floor}}, QStringLiteral("houseno"));
        EXPECT_TRUE(db().commit());
        window = windows.create(QStringLiteral("w_m_ge_houseinfo"), WindowContext{db(), ui, views, message});
        auto* record = dynamic_cast<RecordWindow*>(window.get());
        EXPECT_NE(record, nullptr);
        EXPECT_TRUE(record && record->openModify(house));
        return record;
    }

    ViewCatalog views;
    WindowRegistry windows;
    test::ScriptedUi ui;
    MessageObject message;
    std::unique_ptr<Window> window;
};

TEST_P(HouseInfoWindowTest, NumberListScrollsFromSevenRows)
{
    const struct {
        int housesPerFloor;
        const char* scrollBar;
    } cases[] = {{6, "no"}, {7, "yes"}, {1, "no"}, {12, "yes"}};
    for (const auto& c : cases) {
        RecordWindow* w = openHouse(c.housesPerFloor);
        ASSERT_NE(w, nullptr);
        DataView& form = w->dw_1();
        ASSERT_EQ(form.userEdit(1, QStringLiteral("floorno"), QStringLiteral("2")), 0);
        ASSERT_EQ(form.getChild(QStringLiteral("housenumber"))->rowCount(), c.housesPerFloor);
        EXPECT_EQ(form.describe(QStringLiteral("housenumber.dddw.vscrollbar")).toLower(), QLatin1String(c.scrollBar))
            << c.housesPerFloor << " houses per floor";
        EXPECT_TRUE(form.getItem(1, QStringLiteral("housenumber")).isNull());
    }
    EXPECT_TRUE(ui.errors().isEmpty());
}

TEST_P(HouseInfoWindowTest, HouseNumberSearchTakesTypedQuotesAsText)
{
    // No floor: the list holds the numbers of every floor.
    RecordWindow* w = openHouse(2, QVariant());
    ASSERT_NE(w, nullptr);
    DataView& form = w->dw_1();
    ASSERT_EQ(form.getChild(QStringLiteral("housenumber"))->rowCount(), 18);
    // Typed quotes neither end the search text nor widen the search: the
    // floor stays empty.
    for (const char* typed : {"x' or '1'='1", "101室' or housenumber <> '", "'", "x\" or \"1\"=\"1", "~'"}) {
        ASSERT_EQ(form.userEdit(1, QStringLiteral("housenumber"), QString::fromUtf8(typed)), 0) << typed;
        EXPECT_TRUE(form.getItem(1, QStringLiteral("floorno")).isNull()) << typed;
    }
    ASSERT_EQ(form.userEdit(1, QStringLiteral("housenumber"), QStringLiteral("702室")), 0);
    EXPECT_EQ(form.getItem(1, QStringLiteral("floorno")).toInt(), 7);
}

// The owner's typed name goes to the person selection as the text searched
// for and nothing else: separators in it name no column and no condition.
TEST_P(HouseInfoWindowTest, TypedOwnerNameIsOnlySearchedFor)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (commno, personno, personname, sex, isdeath) "
                                            "VALUES ('1', 'P1', '王;x', '1', '0')")));
    RecordWindow* w = openHouse(2);
    ASSERT_NE(w, nullptr);
    DataView& form = w->dw_1();
    ASSERT_EQ(form.userEdit(1, QStringLiteral("droittype"), QStringLiteral("01")), 0);
    const struct {
        const char* typed;
        int offered;
    } cases[] = {{"王;x", 1}, {"王;1=1", 0}, {"王,idcard", 0}, {"王", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.answerPersonCancel();
        EXPECT_EQ(form.userEdit(1, QStringLiteral("personname"), QString::fromUtf8(c.typed)), 2);
        ASSERT_FALSE(ui.prompts().isEmpty());
        EXPECT_EQ(ui.prompts().last().kind, test::Prompt::Kind::Person);
        EXPECT_EQ(ui.prompts().last().text, QString::fromUtf8(c.typed));
        EXPECT_EQ(ui.lastCandidates().size(), c.offered);
        EXPECT_TRUE(form.getItem(1, QStringLiteral("personname")).isNull());
    }
    ui.answerPerson(1);
    EXPECT_EQ(form.userEdit(1, QStringLiteral("personname"), QStringLiteral("王;x")), 2);
    EXPECT_EQ(form.getItemString(1, QStringLiteral("personno")), QStringLiteral("P1"));
    EXPECT_EQ(form.getItemString(1, QStringLiteral("personname")), QStringLiteral("王;x"));
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

INSTANTIATE_ENGINES(HouseInfoWindowTest);

} // namespace
} // namespace cr::houses
