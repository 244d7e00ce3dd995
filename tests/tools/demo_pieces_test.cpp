#include "schema/demo/demo_random.h"
#include "schema/demo/demo_words.h"
#include "schema/demo/house_numbering.h"

#include <gtest/gtest.h>

namespace cr::demo {
namespace {

TEST(HouseNumbering, BatchRuleExamples)
{
    struct Case {
        int floors, perFloor, floor, house;
        const char* expected;
    };
    const Case cases[] = {
        {6, 2, 3, 2, "302室"},   {12, 4, 3, 1, "0301室"}, {12, 4, 11, 4, "1104室"},
        {1, 3, 1, 2, "02室"},    {6, 12, 5, 7, "507室"},  {6, 120, 2, 7, "2007室"},
        {10, 2, 1, 1, "0101室"}, {10, 2, 10, 2, "1002室"}, {6, 9, 6, 9, "609室"},
        {1, 1, 1, 1, "01室"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(HouseNumbering::batch(c.floors, c.perFloor, c.floor, c.house), QString::fromUtf8(c.expected));
    }
}

TEST(HouseNumbering, BasementAndBungalowNumbers)
{
    EXPECT_EQ(HouseNumbering::basement(1, 2, 1), QStringLiteral("地下101室"));
    EXPECT_EQ(HouseNumbering::basement(1, 12, 3), QStringLiteral("地下103室"));
    EXPECT_EQ(HouseNumbering::basement(2, 100, 7), QStringLiteral("地下2007室"));
    EXPECT_EQ(HouseNumbering::bungalow(3), QStringLiteral("3"));
}

TEST(DemoRandom, SameSeedSameSequenceOnEveryPlatform)
{
    // splitmix64's published first output for seed 0.
    DemoRandom zero(0);
    EXPECT_EQ(zero.next(), 0xE220A8397B1DCDAFULL);

    DemoRandom a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const quint64 x = a.next();
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(DemoRandom, RangesAndWeightsAreRespected)
{
    DemoRandom r(7);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int v = r.between(3, 6);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 6);
        sawLow = sawLow || v == 3;
        sawHigh = sawHigh || v == 6;
        ASSERT_NE(r.weighted({0, 5, 0, 1}) % 2, 0) << "a zero weight was chosen";
        ASSERT_LT(r.below(10), 10u);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(r.below(0), 0u);
    EXPECT_EQ(r.between(5, 5), 5);
}

TEST(DemoWords, ChineseNumbers)
{
    const std::pair<int, const char*> cases[] = {
        {1, "一"}, {9, "九"}, {10, "十"}, {11, "十一"}, {20, "二十"}, {21, "二十一"},
        {40, "四十"}, {99, "九十九"}, {100, "一百"}, {105, "一百零五"}, {110, "一百一十"}, {999, "九百九十九"},
    };
    for (const auto& [n, text] : cases) EXPECT_EQ(DemoWords::chineseNumber(n), QString::fromUtf8(text)) << n;
}

} // namespace
} // namespace cr::demo
