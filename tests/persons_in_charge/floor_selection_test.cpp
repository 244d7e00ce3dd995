// The floor-selection dialog without widgets: what it is sent, what it
// ticks again, how it ticks and what it answers; the building read from the
// database.

#include "frame/sqlca.h"
#include "persons_in_charge/floor_selection.h"
#include "support/test_db.h"

#include <gtest/gtest.h>

namespace cr::persons_in_charge {
namespace {

FloorLayout twoDoors()   // building 12: two doors, floors -1 .. 3
{
    FloorLayout layout{.buildingNo = 12, .upFloors = 3, .downFloors = 1};
    layout.doors = {Door{1, {}}, Door{2, {}}};
    return layout;
}

StrMultiselect sent(const QString& text, const QString& code = QString())
{
    return StrMultiselect{.s_dw = FloorSelection::buildingList(), .s_str = text, .s_filter = "buildingno=12",
                          .s_code = code};
}

TEST(FloorSelectionTest, ReadsTheBuildingOnlyFromAPlainFilter)
{
    const struct {
        const char* filter;
        std::optional<qlonglong> building;
    } cases[] = {
        {"buildingno=12", 12},
        {" BuildingNo = 7 ", 7},
        {"buildingno=0", std::nullopt},
        {"buildingno=-1", std::nullopt},
        {"buildingno='1' or 1=1", std::nullopt},
        {"buildingno=12 or 1=1", std::nullopt},
        {"regionalno=3", std::nullopt},
        {"buildingno=", std::nullopt},
        {"buildingno=1234567890123456789", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloorSelection::buildingOf(QString::fromUtf8(c.filter)), c.building) << c.filter;
    EXPECT_EQ(FloorSelection::listFor(QStringLiteral("02")), QStringLiteral("dddw_building_select1"));
    for (const char* kind : {"01", "03", ""})
        EXPECT_EQ(FloorSelection::listFor(QString::fromLatin1(kind)), QStringLiteral("dddw_building_select")) << kind;
}

TEST(FloorSelectionTest, TicksTheRangeSentAgainByItsCodeElseByItsText)
{
    const struct {
        const char* name;
        StrMultiselect parameter;
        Cells ticked;
        QStringList stale;
    } cases[] = {
        {"the code wins over an older text", sent("1单元1层", "B12U2F3"), {{1, 3}}, {}},
        {"no code: the text", sent("1单元1层"), {{0, 1}}, {}},
        {"parts outside the building are told", sent("", "B12U1F3~5,B12U4"), {{0, 3}}, {"1单元3-5层", "4单元全部"}},
        {"a code that cannot be read: told, and the text read",
         sent("2单元地下1层", "B12U1F0"), {{1, -1}}, {"范围代码“B12U1F0”无法识别（第7个字符处的楼层为0（没有第0层））"}},
        {"text that cannot be read", sent("三楼"), {}, {"三楼"}},
        {"nothing yet", sent(QString()), {}, {}},
    };
    for (const auto& c : cases) {
        const FloorSelection selection(twoDoors(), c.parameter);
        EXPECT_EQ(selection.ticked(), c.ticked) << c.name;
        EXPECT_EQ(selection.staleParts(), c.stale) << c.name;
    }
}

TEST(FloorSelectionTest, WholeDoorsAndFloorsTickOrClearTogether)
{
    FloorSelection selection(twoDoors(), sent("1单元2层"));
    selection.toggleFloor(2);               // partly ticked: the whole floor
    EXPECT_EQ(selection.readable(), QStringLiteral("1单元2层，2单元2层"));
    selection.toggleFloor(2);               // all ticked: cleared
    EXPECT_TRUE(selection.ticked().isEmpty());
    selection.toggleDoor(1);
    EXPECT_EQ(selection.code(), QStringLiteral("B12U2"));
    selection.toggle({1, -1});
    EXPECT_EQ(selection.readable(), QStringLiteral("2单元1-3层"));
    selection.setTicked({5, 1}, true);      // no such door: nothing
    selection.setTicked({0, 0}, true);      // no floor 0
    selection.toggleDoor(7);
    EXPECT_EQ(selection.code(), QStringLiteral("B12U2F1~3"));
    selection.tickAll();
    EXPECT_EQ(selection.answer().s_str, QStringLiteral("全部"));
    EXPECT_EQ(selection.answer().s_filter, QStringLiteral("B12"));
}

TEST(FloorSelectionTest, AnswersTextAndCodeOrTheCancelMark)
{
    FloorSelection selection(twoDoors(), sent("1单元2层", "B12U1F2"));
    selection.clear();
    const StrMultiselect empty = selection.answer();
    // Nothing ticked is an empty range, not a missing answer.
    EXPECT_FALSE(empty.s_str.isNull());
    EXPECT_TRUE(empty.s_str.isEmpty());
    EXPECT_FALSE(empty.cancelled());
    EXPECT_EQ(empty.s_dw, FloorSelection::buildingList());

    QStringList unread;
    EXPECT_FALSE(selection.tickReadable(QStringLiteral("1单元3层，5单元1层"), &unread));
    EXPECT_EQ(unread, QStringList{QStringLiteral("5单元1层")});
    EXPECT_EQ(selection.answer().s_filter, QStringLiteral("B12U1F3"));

    const StrMultiselect cancelled = selection.cancelled();
    EXPECT_TRUE(cancelled.cancelled());
    EXPECT_EQ(cancelled.s_filter, QStringLiteral("buildingno=12"));
}

class FloorSelectionDbTest : public test::DbTest {
protected:
    qlonglong addBuilding(const QString& name, const QString& kind, QVariant doors, QVariant up, QVariant down,
                          QVariant word)
    {
        const QVariant key = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, unitnum, upfloornum, "
                           "downfloornum, prepare3) VALUES ('1', :name, :name, :kind, :doors, :up, :down, :word)"),
            {{"name", name}, {"kind", kind}, {"doors", doors}, {"up", up}, {"down", down}, {"word", word}},
            QStringLiteral("buildingno"));
        EXPECT_TRUE(key.isValid()) << db().sqlErrText().toStdString();
        return key.toLongLong();
    }
    void addHouse(qlonglong building, QVariant door, QVariant doorName, const QString& number)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, "
                                                "floorno, housenumber) VALUES ('1', :b, :u, :n, 1, :h)"),
                                 {{"b", building}, {"u", door}, {"n", doorName}, {"h", number}}))
            << db().sqlErrText().toStdString();
    }
    std::optional<FloorSelection> open(qlonglong building, const QString& list, QString* error = nullptr)
    {
        return FloorSelection::open(db(), {.s_dw = list, .s_filter = FloorSelection::filterFor(building)}, error);
    }
};

TEST_P(FloorSelectionDbTest, LaysOutTheBuildingTheFilterNames)
{
    const qlonglong storeys = addBuilding("星河苑2号楼", "01", 3, 5, 1, " 门 ");
    const qlonglong compound = addBuilding("安华平房院", "02", QVariant(), 0, QVariant(), QVariant());
    const qlonglong bare = addBuilding("空平房院", "02", QVariant(), QVariant(), QVariant(), QVariant());
    addHouse(compound, 0, QStringLiteral("10号门"), "01室");
    addHouse(compound, QVariant(), QStringLiteral(" 2号门 "), "02室");
    addHouse(compound, 0, QStringLiteral("2号门"), "03室");
    addHouse(compound, 0, QVariant(), "04室");
    addHouse(compound, 1, QStringLiteral("单元"), "05室");   // a numbered door is no gate
    ASSERT_TRUE(db().commit());

    const auto building = open(storeys, FloorSelection::buildingList());
    ASSERT_TRUE(building.has_value());
    EXPECT_EQ(building->layout().name, QStringLiteral("星河苑2号楼"));
    EXPECT_EQ(building->layout().doorLabel(2), QStringLiteral("3门"));
    EXPECT_EQ(building->layout().floors(), QList<int>({-1, 1, 2, 3, 4, 5}));

    const auto gates = open(compound, FloorSelection::bungalowList());
    ASSERT_TRUE(gates.has_value());
    ASSERT_EQ(gates->layout().doors.size(), 2);
    EXPECT_EQ(gates->layout().doorLabel(0), QStringLiteral("2号门"));
    EXPECT_EQ(gates->layout().doorLabel(1), QStringLiteral("10号门"));
    EXPECT_EQ(gates->layout().floors(), QList<int>({1}));   // a compound has its one floor

    const auto block = open(bare, FloorSelection::bungalowList());
    ASSERT_TRUE(block.has_value());
    EXPECT_TRUE(block->layout().hasBlockOnly());

    QString error;
    EXPECT_FALSE(open(999999, FloorSelection::buildingList(), &error).has_value());
    EXPECT_EQ(error, QStringLiteral("找不到要选择范围的楼院。"));
    EXPECT_FALSE(FloorSelection::open(db(), {.s_filter = "buildingno=1 or 1=1"}, &error).has_value());
}

INSTANTIATE_ENGINES(FloorSelectionDbTest);

} // namespace
} // namespace cr::persons_in_charge
