#include "houses/house_numbering.h"

#include <gtest/gtest.h>

namespace cr::houses {
namespace {

struct BatchCase {
    int floors, perFloor, floor, house;
    const char* expected;
};

TEST(HouseNumberingBatch, FloorPaddedToFloorCountHousesToAtLeastTwoDigits)
{
    const BatchCase cases[] = {
        {6, 2, 3, 2, "302室"},     {12, 4, 3, 1, "0301室"},  {12, 4, 11, 4, "1104室"},
        {1, 3, 1, 2, "02室"},      {6, 12, 5, 7, "507室"},   {6, 120, 2, 7, "2007室"},
        {6, 9, 1, 9, "109室"},     {6, 10, 1, 9, "109室"},   {6, 10, 1, 10, "110室"},
        {10, 2, 1, 1, "0101室"},   {10, 2, 10, 2, "1002室"}, {100, 2, 7, 1, "00701室"},
        {1, 12, 1, 3, "03室"},     {1, 1, 1, 1, "01室"},     {33, 8, 33, 8, "3308室"},
        {2, 100, 2, 100, "2100室"},
    };
    for (const BatchCase& c : cases)
        EXPECT_EQ(HouseNumbering::batch(c.floors, c.perFloor, c.floor, c.house), QString::fromUtf8(c.expected))
            << c.floors << "," << c.perFloor << "," << c.floor << "," << c.house;
}

struct ListCase {
    std::optional<int> floor, perFloor, floorCount;
    QStringList numbers;
    QList<int> floors;
};

TEST(HouseNumberingList, NumbersOfOneFloorOrEveryFloor)
{
    const auto n = [](std::initializer_list<const char*> l) {
        QStringList out;
        for (const char* s : l) out << QString::fromUtf8(s);
        return out;
    };
    const ListCase cases[] = {
        {3, 4, 6, n({"301室", "302室", "303室", "304室"}), {3, 3, 3, 3}},
        {-1, 2, 6, n({"地下101室", "地下102室"}), {-1, -1}},
        {-2, 1, 6, n({"地下201室"}), {-2}},
        {0, 2, 3, n({"101室", "102室", "201室", "202室", "301室", "302室"}), {1, 1, 2, 2, 3, 3}},
        {7, 1, 6, n({"701室"}), {7}},                           // a floor beyond the count is still listed
        {1, 0, 6, {}, {}},                                      // no houses per floor
        {1, std::nullopt, 6, {}, {}},
        {std::nullopt, 4, 6, {}, {}},                           // an empty floor lists nothing
        {0, 2, std::nullopt, {}, {}},
        {0, 2, 0, {}, {}},
    };
    for (const ListCase& c : cases) {
        QStringList numbers;
        QList<int> floors;
        for (const FloorHouseNumber& f : HouseNumbering::ofFloor(c.floor, c.perFloor, c.floorCount)) {
            numbers << f.number;
            floors << f.floor;
        }
        EXPECT_EQ(numbers, c.numbers) << c.floor.value_or(-99) << "/" << c.perFloor.value_or(-99);
        EXPECT_EQ(floors, c.floors);
    }
}

TEST(HouseNumberingList, SequencePaddedToDigitsOfHouseCount)
{
    const QList<FloorHouseNumber> twelve = HouseNumbering::ofFloor(5, 12, 6);
    ASSERT_EQ(twelve.size(), 12);
    EXPECT_EQ(twelve.first().number, QStringLiteral("501室"));
    EXPECT_EQ(twelve.last().number, QStringLiteral("512室"));

    const QList<FloorHouseNumber> hundred = HouseNumbering::ofFloor(2, 100, 6);
    ASSERT_EQ(hundred.size(), 100);
    EXPECT_EQ(hundred.first().number, QStringLiteral("2001室"));
    EXPECT_EQ(hundred.last().number, QStringLiteral("2100室"));
}

// The two rules differ where a building has ten floors or more: the list
// writes floor 3 as it is, the batch generation pads it.
TEST(HouseNumbering, RulesStayDistinct)
{
    EXPECT_EQ(HouseNumbering::ofFloor(3, 4, 12).first().number, QStringLiteral("301室"));
    EXPECT_EQ(HouseNumbering::batch(12, 4, 3, 1), QStringLiteral("0301室"));
}

} // namespace
} // namespace cr::houses
