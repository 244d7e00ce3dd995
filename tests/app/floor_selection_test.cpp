// The floor-selection dialog on screen: it shows what FloorSelection holds,
// and its headings, cells and keys tick what the clerk means.

#include "app/floor_dialog.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

using persons_in_charge::Cells;
using persons_in_charge::Door;
using persons_in_charge::FloorLayout;
using persons_in_charge::FloorSelection;

FloorLayout sixStoreys()
{
    FloorLayout layout{.buildingNo = 12, .name = QStringLiteral("星河苑1号楼"), .upFloors = 6, .downFloors = 2};
    layout.doors = {Door{1, {}}, Door{2, {}}};
    return layout;
}

Qt::CheckState tick(const FloorDialog& dialog, int row, int column)
{
    return dialog.grid()->item(row, column)->checkState();
}

TEST(FloorDialogTest, ShowsTheRangeSentTickedWithTheTopFloorFirst)
{
    const FloorSelection selection(sixStoreys(), StrMultiselect{.s_str = "旧的文字", .s_code = "B12U1F5~6,B12U2F-2"});
    FloorDialog dialog(nullptr, selection);
    ASSERT_EQ(dialog.grid()->rowCount(), 8);
    ASSERT_EQ(dialog.grid()->columnCount(), 2);
    EXPECT_EQ(dialog.grid()->verticalHeaderItem(0)->text(), QStringLiteral("6层"));
    EXPECT_EQ(dialog.grid()->verticalHeaderItem(7)->text(), QStringLiteral("地下2层"));
    EXPECT_EQ(dialog.grid()->horizontalHeaderItem(1)->text(), QStringLiteral("2单元"));
    EXPECT_EQ(tick(dialog, 0, 0), Qt::Checked);     // 1单元6层
    EXPECT_EQ(tick(dialog, 1, 0), Qt::Checked);     // 1单元5层
    EXPECT_EQ(tick(dialog, 2, 0), Qt::Unchecked);
    EXPECT_EQ(tick(dialog, 7, 1), Qt::Checked);     // 2单元地下2层
}

TEST(FloorDialogTest, HeadingsTickWholeDoorsAndFloorsAndCellsFollowTheModel)
{
    FloorDialog dialog(nullptr, FloorSelection(sixStoreys(), StrMultiselect{}));
    dialog.grid()->horizontalHeader()->sectionClicked(1);   // the whole of door 2
    EXPECT_EQ(dialog.selection().readable(), QStringLiteral("2单元全部"));
    dialog.grid()->verticalHeader()->sectionClicked(0);     // the top floor: door 1 ticked too
    EXPECT_EQ(dialog.selection().code(), QStringLiteral("B12U1F6,B12U2"));
    dialog.grid()->item(1, 0)->setCheckState(Qt::Checked);  // a single cell: 1单元5层
    EXPECT_EQ(dialog.selection().readable(), QStringLiteral("1单元5-6层，2单元全部"));
    dialog.toggleDoor(1);                                   // all ticked: the click clears it
    const StrMultiselect answer = dialog.selection().answer();
    EXPECT_EQ(answer.s_str, QStringLiteral("1单元5-6层"));
    EXPECT_EQ(answer.s_filter, QStringLiteral("B12U1F5~6"));
    EXPECT_EQ(tick(dialog, 3, 1), Qt::Unchecked);
}

TEST(FloorDialogTest, KeysTickTheCurrentDoorAndFloor)
{
    FloorDialog dialog(nullptr, FloorSelection(sixStoreys(), StrMultiselect{}));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.grid()->setFocus();
    dialog.grid()->setCurrentCell(2, 1);   // 2单元4层
    QTest::keyClick(dialog.grid(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(dialog.selection().readable(), QStringLiteral("2单元全部"));
    QTest::keyClick(dialog.grid(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(dialog.selection().readable(), QStringLiteral("1单元4层，2单元全部"));
}

} // namespace
} // namespace cr::app
