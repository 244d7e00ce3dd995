// The floor-selection dialog (w_multiselect_floor): the readable range and
// its code, reading a range back, and the dialog's ticking.

#include "app/floor_dialog.h"
#include "app/floor_range.h"
#include "frame/sqlca.h"
#include "support/test_db.h"

#include <gtest/gtest.h>

namespace cr::app {
namespace {

using Cells = QSet<FloorRange::Cell>;

BuildingFloors sixStoreys()
{
    return BuildingFloors{.buildingNo = 12, .name = "星河苑1号楼", .doors = 2, .doorWord = "单元", .upFloors = 6,
                          .downFloors = 2};
}

struct RangeCase {
    const char* name;
    BuildingFloors building;
    Cells cells;
    const char* readable;
    const char* code;
};

TEST(FloorRangeTest, ReadableRangeAndCodeOfTickedFloors)
{
    const BuildingFloors bungalows{.buildingNo = 7, .name = "安华路2号平房院", .doors = 0, .upFloors = 1};
    const std::vector<RangeCase> cases = {
        {"a whole door", sixStoreys(), {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}}, "1单元1-6层", "B12U1F1~6"},
        {"a gap splits the run", sixStoreys(), {{1, 1}, {1, 2}, {1, 3}, {1, 5}}, "1单元1-3层、5层",
         "B12U1F1~3,B12U1F5"},
        {"basement apart from the ground floors", sixStoreys(), {{2, -2}, {2, -1}, {2, 1}}, "2单元地下1-2层、1层",
         "B12U2F-2~-1,B12U2F1"},
        {"doors in their order", sixStoreys(), {{2, 6}, {1, 6}}, "1单元6层，2单元6层", "B12U1F6,B12U2F6"},
        {"outside the building", sixStoreys(), {{3, 1}, {1, 7}, {1, 0}}, "", ""},
        {"nothing ticked", sixStoreys(), {}, "", ""},
        {"a building without doors", bungalows, {{0, 1}}, "1层", "B7U0F1"},
    };
    for (const RangeCase& c : cases) {
        EXPECT_EQ(FloorRange::readable(c.building, c.cells), QString::fromUtf8(c.readable)) << c.name;
        EXPECT_EQ(FloorRange::code(c.building, c.cells), QString::fromUtf8(c.code)) << c.name;
        // What the dialog hands back, it ticks again next time.
        Cells inside;
        for (const auto& cell : c.cells)
            if (c.building.doorNumbers().contains(cell.first) && c.building.floorNumbers().contains(cell.second))
                inside.insert(cell);
        EXPECT_EQ(FloorRange::parseReadable(c.building, FloorRange::readable(c.building, c.cells)), inside) << c.name;
    }
}

TEST(FloorRangeTest, TextsItCannotReadTickNothing)
{
    BuildingFloors doorsNamedMen = sixStoreys();
    doorsNamedMen.doorWord = QStringLiteral("门");
    EXPECT_TRUE(FloorRange::parseReadable(doorsNamedMen, QStringLiteral("1单元1-3层")).isEmpty());
    EXPECT_TRUE(FloorRange::parseReadable(sixStoreys(), QStringLiteral("全部楼层")).isEmpty());
    EXPECT_TRUE(FloorRange::parseReadable(sixStoreys(), QStringLiteral("$$")).isEmpty());
    EXPECT_EQ(FloorRange::parseReadable(sixStoreys(), QStringLiteral("1单元5-9层，9单元1层")), Cells({{1, 5}, {1, 6}}));
}

TEST(FloorDialogTest, PreTicksTheCurrentRangeAndTicksDoorsAndFloorsWhole)
{
    StrMultiselect parameter{.s_dw = "dddw_building_select", .s_str = "1单元2-3层", .s_filter = "buildingno=12"};
    FloorDialog dialog(nullptr, sixStoreys(), parameter);
    EXPECT_EQ(dialog.ticked(), Cells({{1, 2}, {1, 3}}));

    dialog.toggleDoor(1);   // the second column: door 2 as a whole
    EXPECT_EQ(dialog.answer().s_str, QStringLiteral("1单元2-3层，2单元地下1-2层、1-6层"));
    dialog.toggleDoor(1);   // all of it ticked: the click clears it
    EXPECT_EQ(dialog.ticked(), Cells({{1, 2}, {1, 3}}));

    dialog.toggleFloor(0);  // the top row is the top floor
    const StrMultiselect answer = dialog.answer();
    EXPECT_EQ(answer.s_str, QStringLiteral("1单元2-3层、6层，2单元6层"));
    EXPECT_EQ(answer.s_filter, QStringLiteral("B12U1F2~3,B12U1F6,B12U2F6"));
    EXPECT_EQ(answer.s_dw, parameter.s_dw);
}

class FloorBuildingTest : public test::DbTest {};

TEST_P(FloorBuildingTest, ReadsTheBuildingNamedByTheFilter)
{
    const QVariant key = db().insertReturningKey(
        QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, unitnum, upfloornum, "
                       "downfloornum, prepare3) VALUES ('1', '星河苑2号楼', '太阳宫路5号', '01', 3, 5, 1, ' 单元 ')"),
        {}, QStringLiteral("buildingno"));
    ASSERT_TRUE(key.isValid()) << db().sqlErrText().toStdString();
    ASSERT_TRUE(db().commit());
    const QString filter = QStringLiteral("buildingno=%1").arg(key.toLongLong());

    BuildingFloors b;
    ASSERT_TRUE(FloorDialog::readBuilding(db(), {.s_dw = "dddw_building_select", .s_filter = filter}, &b));
    EXPECT_EQ(b.name, QStringLiteral("星河苑2号楼"));
    EXPECT_EQ(b.doors, 3);
    EXPECT_EQ(b.doorWord, QStringLiteral("单元"));
    EXPECT_EQ(b.floorNumbers(), QList<int>({-1, 1, 2, 3, 4, 5}));

    // The bungalow list stands for buildings without doors.
    ASSERT_TRUE(FloorDialog::readBuilding(db(), {.s_dw = "dddw_building_select1", .s_filter = filter}, &b));
    EXPECT_EQ(b.doorNumbers(), QList<int>({0}));

    EXPECT_FALSE(FloorDialog::readBuilding(db(), {.s_filter = "buildingno=999999"}, &b));
    EXPECT_FALSE(FloorDialog::readBuilding(db(), {.s_filter = "buildingno='1' or 1=1"}, &b));
}

INSTANTIATE_ENGINES(FloorBuildingTest);

} // namespace
} // namespace cr::app
