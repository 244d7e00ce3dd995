#include "areas_buildings/building_checks.h"
#include "areas_buildings/building_queries.h"
#include "building_fixture.h"

#include <QDate>

namespace cr::test {
namespace {

using areas_buildings::BuildingChecks;
using areas_buildings::BuildingQueries;

const QString kFloorsShrink = QStringLiteral("警告信息 / 该楼院已经存在房屋信息！修改后的层数不能小于原来的层数。");
const QString kDoorsShrink = QStringLiteral("警告信息 / 该楼院已经存在房屋信息！修改后的单元数不能小于原来的单元数。");
const QString kMultiStorey = QStringLiteral("警告 / 楼房的地上层数必须大于1");
const QString kBungalow = QStringLiteral("警告 / 平房的地上层数必须小于2");
const QString kBasement = QStringLiteral("警告 / 地下室的地上层数应该等于0");

QString text(const QVariant& v) { return v.isNull() ? QStringLiteral("null") : v.toString(); }

class BuildingChecksTest : public BuildingFixture {
protected:
    void SetUp() override
    {
        BuildingFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        queries = std::make_unique<BuildingQueries>(db());
        makeChecks();
    }

    void makeChecks()
    {
        checks = std::make_unique<BuildingChecks>(*form, *queries, ui);
        checks->setCurrentYear(2024);
    }

    void fresh()
    {
        resetForm();
        makeChecks();
    }

    std::unique_ptr<BuildingQueries> queries;
    std::unique_ptr<BuildingChecks> checks;
};

TEST_P(BuildingChecksTest, FloorEntriesByKindAndStoredHouses)
{
    struct Case {
        const char* what;
        QString kind;
        int stored;
        QList<int> houseFloors;
        QString typed;
        int code;
        QString after;      // upfloornum once the check has run
        QString message;    // empty = none
    };
    const QList<Case> cases = {
        {"6 to 5 with a house on floor 6", "01", 6, {6}, "5", 1, "6", kFloorsShrink},
        {"6 to 5 with houses on floors 1-5", "01", 6, {1, 2, 3, 4, 5}, "5", 0, "6", ""},
        {"6 to 4 with houses only on floor 5", "01", 6, {5}, "4", 0, "6", ""},
        {"6 to 7 with a house on floor 6", "01", 6, {6}, "7", 0, "6", ""},
        {"multi-storey with one floor", "01", 6, {}, "1", 1, "2", kMultiStorey},
        {"multi-storey emptied", "01", 6, {}, "", 1, "2", kMultiStorey},
        {"bungalow with two floors", "02", 1, {}, "2", 1, "1", kBungalow},
        {"bungalow with one floor", "02", 1, {}, "1", 0, "1", ""},
        {"basement above ground", "03", 0, {}, "1", 1, "0", kBasement},
        {"basement at ground", "03", 0, {}, "0", 0, "0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        const qlonglong b = addBuilding(QStringLiteral("楼%1").arg(c.what), QStringLiteral("址%1").arg(c.what),
                                        c.kind, c.stored, 2);
        for (int f : c.houseFloors) addHouse(b, 1, f);
        commit();
        showStored(b, c.kind, c.stored, 2);
        EXPECT_EQ(checks->entry(1, QStringLiteral("upfloornum"), c.typed, false), c.code);
        EXPECT_EQ(text(form->getItem(1, QStringLiteral("upfloornum"))), c.after);
        EXPECT_EQ(ui.messages.isEmpty() ? QString() : ui.single(), c.message);
    }
}

TEST_P(BuildingChecksTest, ANewBuildingIsNeverHeldByHouses)
{
    form->setItem(1, QStringLiteral("roomtype"), QStringLiteral("01"));
    EXPECT_EQ(checks->entry(1, QStringLiteral("upfloornum"), QStringLiteral("3"), true), 0);
    EXPECT_EQ(checks->entry(1, QStringLiteral("unitnum"), QStringLiteral("1"), true), 0);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_P(BuildingChecksTest, DoorEntriesLookAtTheLastStoredDoor)
{
    struct Case {
        const char* what;
        QString kind;
        QList<int> houseDoors;
        QString typed;
        int code;
        QString after;
        QString message;
    };
    const QList<Case> cases = {
        {"3 to 2 with a house in door 3", "01", {3}, "2", 1, "3", kDoorsShrink},
        {"3 to 2 with houses in doors 1-2", "01", {1, 2}, "2", 0, "3", ""},
        {"3 to 1 with houses only in door 2", "01", {2}, "1", 0, "3", ""},
        {"emptied with a house in door 3", "01", {3}, "", 1, "3", kDoorsShrink},
        {"3 to 4", "01", {3}, "4", 0, "3", ""},
        {"bungalow is never held", "02", {3}, "1", 0, "3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        const qlonglong b = addBuilding(QStringLiteral("楼%1").arg(c.what), QStringLiteral("址%1").arg(c.what),
                                        c.kind, 6, 3);
        for (int d : c.houseDoors) addHouse(b, d, 1);
        commit();
        showStored(b, c.kind, 6, 3);
        EXPECT_EQ(checks->entry(1, QStringLiteral("unitnum"), c.typed, false), c.code);
        EXPECT_EQ(text(form->getItem(1, QStringLiteral("unitnum"))), c.after);
        EXPECT_EQ(ui.messages.isEmpty() ? QString() : ui.single(), c.message);
    }
}

TEST_P(BuildingChecksTest, YearBuiltAndHousesPerFloor)
{
    struct Case {
        QString column, kind, typed;
        int code;
        QString after;
        QString message;
    };
    const QList<Case> cases = {
        {"fixedyear", "01", "1799", 1, "null", "警告信息 / 建造年份不能小于1800年!"},
        {"fixedyear", "01", "1800", 0, "1990", ""},
        {"fixedyear", "01", "2024", 0, "1990", ""},
        {"fixedyear", "01", "2025", 1, "null", "警告信息 / 建造年份不能大于当前日期!"},
        {"fixedyear", "01", "", 0, "1990", ""},
        {"floorhouesnum", "01", "0", 2, "1", "警告 / 楼房的每单元每层户数必须大于0"},
        {"floorhouesnum", "01", "", 2, "1", "警告 / 楼房的每单元每层户数必须大于0"},
        {"floorhouesnum", "01", "4", 0, "3", ""},
        {"floorhouesnum", "02", "0", 0, "3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.column + QStringLiteral(" ") + c.typed).toStdString());
        fresh();
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("fixedyear"), 1990);
        form->setItem(1, QStringLiteral("floorhouesnum"), 3);
        EXPECT_EQ(checks->entry(1, c.column, c.typed, true), c.code);
        EXPECT_EQ(text(form->getItem(1, c.column)), c.after);
        EXPECT_EQ(ui.messages.isEmpty() ? QString() : ui.single(), c.message);
    }
}

TEST_P(BuildingChecksTest, NextCalendarYearIsRefused)
{
    checks->setCurrentYear(0);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(checks->entry(1, QStringLiteral("fixedyear"), QString::number(year), true), 0);
    EXPECT_EQ(checks->entry(1, QStringLiteral("fixedyear"), QString::number(year + 1), true), 1);
}

TEST_P(BuildingChecksTest, NameEntryAgainstOtherBuildings)
{
    const qlonglong sun = addBuilding(QStringLiteral("阳光楼"), QStringLiteral("和平路1号"), "01", 6);
    const qlonglong moon = addBuilding(QStringLiteral("  月光楼 "), QStringLiteral("和平路2号"), "01", 6);
    commit();
    struct Case {
        const char* what;
        QString typed;
        bool adding;
        qlonglong self;
        int code;
    };
    const QList<Case> cases = {
        {"new with a used name", "阳光楼", true, 0, 2},
        {"new with a used name and blanks", " 阳光楼  ", true, 0, 2},
        {"stored name has blanks", "月光楼", true, 0, 2},
        {"own name while modifying", "阳光楼", false, sun, 0},
        {"another's name while modifying", "阳光楼", false, moon, 2},
        {"a new name", "星光楼", true, 0, 0},
        {"emptied", "", false, sun, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        if (c.self) form->setItem(1, QStringLiteral("buildingno"), c.self);
        form->setItem(1, QStringLiteral("buildingname"), QStringLiteral("旧名"));
        EXPECT_EQ(checks->entry(1, QStringLiteral("buildingname"), c.typed, c.adding), c.code);
        if (c.code == 2) {
            EXPECT_EQ(ui.single(), QStringLiteral("警告信息 / 该楼院名称已存在，请重新输入！"));
            EXPECT_TRUE(form->getItem(1, QStringLiteral("buildingname")).isNull());
            EXPECT_EQ(form->getColumnName(), QStringLiteral("buildingname"));
        } else {
            EXPECT_TRUE(ui.messages.isEmpty());
        }
    }
}

TEST_P(BuildingChecksTest, SaveChecksInOrder)
{
    const qlonglong sun = addBuilding(QStringLiteral("阳光楼"), QStringLiteral("和平路1号"), "01", 6);
    commit();
    struct Case {
        const char* what;
        QString kind;
        QVariant floors;
        QString word, name, address;
        qlonglong self;      // 0 = adding
        QString message;     // empty = saved
        QString cursor;
    };
    const QString nameTaken = QStringLiteral("警告信息 / 该楼院俗称已存在，请重新输入！楼院俗称不允许重复。");
    const QString addressTaken = QStringLiteral("警告信息 / 该楼院地址已存在，请重新输入！楼院地址不允许重复。");
    const QString leading = QStringLiteral("警告 / 楼门单位不能以数字开头！");
    const QString trailing = QStringLiteral("警告 / 楼门单位不能以数字结尾！");
    const QList<Case> cases = {
        {"a sound new building", "01", 6, "单元", "星光楼", "和平路3号", 0, "", ""},
        {"multi-storey with one floor", "01", 1, "单元", "星光楼", "和平路3号", 0, kMultiStorey, "upfloornum"},
        {"multi-storey without floors", "01", QVariant(), "单元", "星光楼", "和平路3号", 0, kMultiStorey,
         "upfloornum"},
        {"bungalow with two floors", "02", 2, "", "星光楼", "和平路3号", 0, kBungalow, "upfloornum"},
        {"basement with a floor", "03", 1, "", "星光楼", "和平路3号", 0, kBasement, "upfloornum"},
        {"door word begins with a digit", "01", 6, "1单元", "星光楼", "和平路3号", 0, leading, "prepare3"},
        {"door word ends with a digit", "01", 6, "单元2", "星光楼", "和平路3号", 0, trailing, "prepare3"},
        {"full-width digit", "01", 6, "１门", "星光楼", "和平路3号", 0, leading, "prepare3"},
        {"door word with blanks", "01", 6, " 门 ", "星光楼", "和平路3号", 0, "", ""},
        {"empty door word", "01", 6, "", "星光楼", "和平路3号", 0, "", ""},
        {"name and address taken: name first", "01", 6, "单元", "阳光楼", "和平路1号", 0, nameTaken, "buildingname"},
        {"address taken", "01", 6, "单元", "星光楼", " 和平路1号", 0, addressTaken, "address"},
        {"floors before names", "01", 1, "单元", "阳光楼", "和平路1号", 0, kMultiStorey, "upfloornum"},
        {"door word before names", "01", 6, "3", "阳光楼", "和平路1号", 0, leading, "prepare3"},
        {"own row while modifying", "01", 6, "单元", "阳光楼", "和平路1号", sun, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        if (c.self) form->setItem(1, QStringLiteral("buildingno"), c.self);
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        form->setItem(1, QStringLiteral("prepare3"), c.word);
        form->setItem(1, QStringLiteral("buildingname"), c.name);
        form->setItem(1, QStringLiteral("address"), c.address);
        form->setColumn(QStringLiteral("note"));
        const int code = checks->verify(c.self == 0);
        if (c.message.isEmpty()) {
            EXPECT_EQ(code, 0);
            EXPECT_TRUE(ui.messages.isEmpty()) << ui.single().toStdString();
        } else {
            EXPECT_EQ(code, 1);
            EXPECT_EQ(ui.single(), c.message);
            EXPECT_EQ(form->getColumnName(), c.cursor);
        }
    }
}

TEST_P(BuildingChecksTest, SaveWritesBackSafeFloorsAndTrimmedTexts)
{
    struct Case {
        QString kind;
        int floors;
        QString after;
    };
    for (const Case& c : QList<Case>{{"01", 1, "2"}, {"02", 3, "1"}, {"03", 2, "0"}}) {
        fresh();
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        EXPECT_EQ(checks->verify(true), 1);
        EXPECT_EQ(text(form->getItem(1, QStringLiteral("upfloornum"))), c.after);
    }
    fresh();
    form->setItem(1, QStringLiteral("roomtype"), QStringLiteral("01"));
    form->setItem(1, QStringLiteral("upfloornum"), 6);
    form->setItem(1, QStringLiteral("buildingname"), QStringLiteral("  星光楼 "));
    form->setItem(1, QStringLiteral("address"), QStringLiteral(" 和平路3号"));
    EXPECT_EQ(checks->verify(true), 0);
    EXPECT_EQ(form->getItemString(1, QStringLiteral("buildingname")), QStringLiteral("星光楼"));
    EXPECT_EQ(form->getItemString(1, QStringLiteral("address")), QStringLiteral("和平路3号"));
}

TEST_P(BuildingChecksTest, NoCurrentRowRefusesSilently)
{
    DataView empty(*catalog.find(QStringLiteral("d_ge_building_f")));
    BuildingChecks silent(empty, *queries, ui);
    EXPECT_EQ(silent.verify(true), 1);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_P(BuildingChecksTest, TemporarilySavedHousesAreCounted)
{
    const qlonglong b = addBuilding(QStringLiteral("阳光楼"), QStringLiteral("和平路1号"), "01", 6, 2);
    addHouse(b, 1, 1, QStringLiteral("0"));
    addHouse(b, 1, 2, QStringLiteral("0"));
    addHouse(b, 1, 3, QStringLiteral("1"));
    commit();
    EXPECT_EQ(queries->temporarilySavedHouses(b), 2);
    EXPECT_EQ(queries->temporarilySavedHouses(b + 1), 0);
    EXPECT_EQ(queries->storedFloors(b + 1), 0);
}

INSTANTIATE_ENGINES(BuildingChecksTest);

} // namespace
} // namespace cr::test
