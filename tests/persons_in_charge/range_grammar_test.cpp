// The range code and the readable range of a building dean: what they read,
// what they write, and that each reads back what it wrote.

#include "persons_in_charge/range_code.h"
#include "persons_in_charge/range_text.h"

#include <gtest/gtest.h>

namespace cr::persons_in_charge {
namespace {

FloorLayout sixStoreys()   // building 12: two doors, six floors, two basements
{
    FloorLayout layout{.buildingNo = 12, .name = QStringLiteral("星河苑1号楼"), .upFloors = 6, .downFloors = 2};
    layout.doors = {Door{1, {}}, Door{2, {}}};
    return layout;
}

FloorLayout compound()     // building 7: a bungalow compound with two gates
{
    FloorLayout layout{.buildingNo = 7, .name = QStringLiteral("安华平房院"), .upFloors = 1};
    layout.doors = {Door{0, QStringLiteral("东门")}, Door{0, QStringLiteral("西\"门")}};
    return layout;
}

FloorLayout block()        // building 9: no doors at all
{
    FloorLayout layout{.buildingNo = 9, .upFloors = 3};
    layout.doors = {Door{}};
    return layout;
}

// Floors of one door (an index into the layout's doors).
Cells door(int index, std::initializer_list<int> floors)
{
    Cells cells;
    for (int f : floors) cells.insert({index, f});
    return cells;
}

struct PrintCase {
    const char* name;
    FloorLayout layout;
    Cells cells;
    const char* code;
    const char* text;
};

TEST(RangeGrammar, PrintsTheShortestCodeAndText)
{
    const FloorLayout six = sixStoreys();
    const std::vector<PrintCase> cases = {
        {"nothing", six, {}, "", ""},
        {"the whole building", six, six.allCells(), "B12", "全部"},
        {"a whole door with its basements", six, six.doorCells(1), "B12U2", "2单元全部"},
        {"floors next to each other", six, door(0, {1, 2, 3, 4, 5, 6}), "B12U1F1~6", "1单元1-6层"},
        {"a gap splits the run", six, door(0, {1, 2, 3, 5}), "B12U1F1~3,B12U1F5", "1单元1-3层、5层"},
        {"basement and ground never share a run", six, door(1, {-2, -1, 1}), "B12U2F-2~-1,B12U2F1",
         "2单元地下1-2层、1层"},
        {"doors in their order", six, door(1, {6}) + door(0, {6}), "B12U1F6,B12U2F6", "1单元6层，2单元6层"},
        {"a door word of the building", [] { FloorLayout l = sixStoreys(); l.doorWord = "门"; return l; }(),
         door(0, {3}), "B12U1F3", "1门3层"},
        {"cells outside the building are left out", six, {{2, 1}, {0, 7}, {0, 0}, {-1, 1}}, "", ""},
        {"a gate alone", compound(), door(0, {1}), "B7N\"东门\"", "东门"},
        {"a quote in a gate's name is doubled", compound(), door(1, {1}), "B7N\"西\"\"门\"", "西\"门"},
        {"a building without doors", block(), door(0, {1, 2}), "B9U0F1~2", "1-2层"},
    };
    for (const PrintCase& c : cases) {
        EXPECT_EQ(RangeCode::print(c.layout, c.cells), QString::fromUtf8(c.code)) << c.name;
        EXPECT_EQ(RangeText::print(c.layout, c.cells), QString::fromUtf8(c.text)) << c.name;
    }
}

// Every range of a small building, through the code and through the text:
// each gives back exactly the cells it was written from.
TEST(RangeGrammar, EveryRangeOfASmallBuildingReadsBack)
{
    FloorLayout small{.buildingNo = 3, .upFloors = 3, .downFloors = 1};
    small.doors = {Door{1, {}}, Door{2, {}}};
    const QList<Cell> all = small.allCells().values();
    ASSERT_EQ(all.size(), 8);
    for (int mask = 0; mask < (1 << all.size()); ++mask) {
        Cells cells;
        for (int i = 0; i < all.size(); ++i)
            if (mask & (1 << i)) cells.insert(all[i]);
        const QString code = RangeCode::print(small, cells);
        const auto elements = RangeCode::parse(code);
        ASSERT_TRUE(elements.has_value()) << code.toStdString();
        EXPECT_EQ(RangeCode::cells(small, *elements), cells) << code.toStdString();
        const QString text = RangeText::print(small, cells);
        QStringList unread;
        EXPECT_EQ(RangeText::parse(small, text, &unread), cells) << text.toStdString();
        EXPECT_TRUE(unread.isEmpty()) << text.toStdString();
    }
}

struct ReadCase {
    const char* name;
    FloorLayout layout;
    const char* code;
    Cells cells;
    QStringList outside;   // elements (as code) that name what the building lacks
};

TEST(RangeGrammar, ReadsCodesOntoTheBuilding)
{
    const FloorLayout six = sixStoreys();
    const std::vector<ReadCase> cases = {
        {"what the first dialog wrote", six, "B12U1F1~3,B12U1F5,B12U2F-1", door(0, {1, 2, 3, 5}) + door(1, {-1}), {}},
        {"an interval written top down", six, "B12U1F3~1", door(0, {1, 2, 3}), {}},
        {"an interval across the ground", six, "B12U2F-1~2", door(1, {-1, 1, 2}), {}},
        {"blanks and small letters", six, " b12u1f2 , B12u2 ", door(0, {2}) + six.doorCells(1), {}},
        {"U0 is every door", six, "B12U0F6", six.floorCells(6), {}},
        {"a door the building lacks", six, "B12U3,B12U1F1", door(0, {1}), {"B12U3"}},
        {"floors beyond the top: those inside count", six, "B12U1F5~9", door(0, {5, 6}), {"B12U1F5~9"}},
        {"a basement it lacks", six, "B12U1F-3", {}, {"B12U1F-3"}},
        {"another building", six, "B13U1F1", {}, {"B13U1F1"}},
        {"a huge interval is no burden", six, "B12U1F1~999999999", six.doorCells(0) - door(0, {-2, -1}),
         {"B12U1F1~999999999"}},
        {"a gate", compound(), "B7N\"西\"\"门\"", door(1, {1}), {}},
        {"a gate it lacks", compound(), "B7N\"北门\"", {}, {"B7N\"北门\""}},
        {"the old code of a compound: every gate", compound(), "B7U0F1", compound().allCells(), {}},
    };
    for (const ReadCase& c : cases) {
        RangeCodeError error;
        const auto elements = RangeCode::parse(QString::fromUtf8(c.code), &error);
        ASSERT_TRUE(elements.has_value()) << c.name << ": " << error.text().toStdString();
        QList<RangeElement> outside;
        EXPECT_EQ(RangeCode::cells(c.layout, *elements, &outside), c.cells) << c.name;
        QStringList outsideCodes;
        for (const RangeElement& e : outside) outsideCodes << RangeCode::elementText(e);
        EXPECT_EQ(outsideCodes, c.outside) << c.name;
    }
}

struct MalformedCase {
    const char* code;
    int position;
    const char* reason;
};

TEST(RangeGrammar, MalformedCodesSayWhereAndWhy)
{
    const std::vector<MalformedCase> cases = {
        {"12U1", 1, "应为“B”（楼院）"},
        {"B", 2, "应为数字"},
        {"BxU1", 2, "应为数字"},
        {"B12U", 5, "应为数字"},
        {"B12U1F", 7, "应为数字"},
        {"B12U1F0", 7, "的楼层为0（没有第0层）"},
        {"B12U1F1~", 9, "应为数字"},
        {"B12U1F1~-", 10, "应为数字"},
        {"B12U1,", 7, "缺少范围元素"},
        {",B12", 1, "缺少范围元素"},
        {"B12,,B13", 5, "缺少范围元素"},
        {"B12U1X", 6, "应为“,”，不应为“X”"},
        {"B12F3", 4, "应为“,”，不应为“F”"},
        {"B1234567890", 2, "的数字太大"},
        {"B7N东门", 4, "应为“\"”（楼门名称的开头）"},
        {"B7N\"东门", 4, "的楼门名称缺少结尾的“\"”"},
        {"B7N\" \"", 4, "的楼门名称为空"},
        {"全部", 1, "应为“B”（楼院）"},
    };
    for (const MalformedCase& c : cases) {
        RangeCodeError error;
        EXPECT_FALSE(RangeCode::parse(QString::fromUtf8(c.code), &error).has_value()) << c.code;
        EXPECT_EQ(error.position, c.position) << c.code;
        EXPECT_EQ(error.reason, QString::fromUtf8(c.reason)) << c.code;
    }
    RangeCodeError error;
    RangeCode::parse(QStringLiteral("B12U1F0"), &error);
    EXPECT_EQ(error.text(), QStringLiteral("第7个字符处的楼层为0（没有第0层）"));
}

struct TextCase {
    const char* name;
    FloorLayout layout;
    const char* text;
    Cells cells;
    QStringList unread;
};

TEST(RangeGrammar, ReadsTextsOntoTheBuilding)
{
    const FloorLayout six = sixStoreys();
    const std::vector<TextCase> cases = {
        {"blank", six, "  ", {}, {}},
        {"everything", six, "全部", six.allCells(), {}},
        {"what the first dialog wrote", six, "1单元1-3层、5层，2单元地下1层", door(0, {1, 2, 3, 5}) + door(1, {-1}), {}},
        {"the usual door words whatever the building's", six, "1门2层,2单元3层", door(0, {2}) + door(1, {3}), {}},
        {"floors without a door: every door", six, "6层", six.floorCells(6), {}},
        {"floors beyond the top: those inside count", six, "1单元5-9层", door(0, {5, 6}), {"1单元5-9层"}},
        {"a door it lacks", six, "9单元1层，1单元1层", door(0, {1}), {"9单元1层"}},
        {"words that are no range", six, "全部楼层", {}, {"全部楼层"}},
        {"the cancel mark", six, "$$", {}, {"$$"}},
        {"gates by their names", compound(), "西\"门，东门1层", compound().allCells(), {}},
        {"a compound's old text: every gate", compound(), "1层", compound().allCells(), {}},
    };
    for (const TextCase& c : cases) {
        QStringList unread;
        EXPECT_EQ(RangeText::parse(c.layout, QString::fromUtf8(c.text), &unread), c.cells) << c.name;
        EXPECT_EQ(unread, c.unread) << c.name;
    }
}

TEST(RangeGrammar, DescribesElementsForNotes)
{
    const FloorLayout six = sixStoreys();
    const struct {
        const char* code;
        const char* words;
    } cases[] = {{"B12U3", "3单元全部"}, {"B12U1F7~9", "1单元7-9层"}, {"B12U1F-4", "1单元地下4层"},
                 {"B12U1F-1~2", "1单元地下1层至2层"}, {"B12U0F8", "8层"}, {"B13U1", "其他楼院的范围B13U1"},
                 {"B12N\"北门\"", "北门"}};
    for (const auto& c : cases) {
        const auto elements = RangeCode::parse(QString::fromUtf8(c.code));
        ASSERT_TRUE(elements && elements->size() == 1) << c.code;
        EXPECT_EQ(RangeText::describe(six, elements->first()), QString::fromUtf8(c.words)) << c.code;
    }
}

} // namespace
} // namespace cr::persons_in_charge
