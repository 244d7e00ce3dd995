#include "resident_teams/scope_code.h"

#include <gtest/gtest.h>

namespace cr::resident_teams {
namespace {

using Kind = ScopeElement::Kind;

TEST(ScopeCodeTest, ReadsEachElement)
{
    const struct {
        const char* name;
        const char* element;
        Kind kind;
        qlonglong building, door, house;
        const char* household;
    } cases[] = {
        {"building", "B12", Kind::Building, 12, 0, 0, ""},
        {"door", "B12U3", Kind::Door, 12, 3, 0, ""},
        {"first U splits, the rest is no number", "B12U3U4", Kind::Door, 12, 0, 0, ""},
        {"door from empty text", "B12U", Kind::Door, 12, 0, 0, ""},
        {"building from empty text", "BU5", Kind::Door, 0, 5, 0, ""},
        {"B alone", "B", Kind::Building, 0, 0, 0, ""},
        {"lower-case u is no door mark", "B12u3", Kind::Building, 0, 0, 0, ""},
        {"house", "H457", Kind::House, 0, 0, 457, ""},
        {"house key not a number", "H45x", Kind::House, 0, 0, 0, ""},
        {"household keeps its zeros", "R0042", Kind::Household, 0, 0, 0, "0042"},
        {"household number is any text", "R京A-1", Kind::Household, 0, 0, 0, "京A-1"},
        {"household without number", "R", Kind::Household, 0, 0, 0, ""},
        {"empty", "", Kind::Ignored, 0, 0, 0, ""},
        {"lower-case kind", "b12", Kind::Ignored, 0, 0, 0, ""},
        {"unknown kind", "X12", Kind::Ignored, 0, 0, 0, ""},
        {"no kind", "12", Kind::Ignored, 0, 0, 0, ""},
        {"number too large for a long", "H99999999999999999999", Kind::House, 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        const ScopeElement e = parseScopeElement(QString::fromUtf8(c.element));
        EXPECT_EQ(e.kind, c.kind) << c.name;
        EXPECT_EQ(e.building, c.building) << c.name;
        EXPECT_EQ(e.door, c.door) << c.name;
        EXPECT_EQ(e.house, c.house) << c.name;
        EXPECT_EQ(e.household, QString::fromUtf8(c.household)) << c.name;
        EXPECT_EQ(e.text, QString::fromUtf8(c.element)) << c.name;
    }
}

TEST(ScopeCodeTest, SplitsAtEveryCommaKeepingEmptyElements)
{
    const QList<ScopeElement> elements = parseScopeCode(QStringLiteral(",B7,,H305,"));
    QStringList texts;
    for (const ScopeElement& e : elements) texts << e.text;
    EXPECT_EQ(texts, (QStringList{"", "B7", "", "H305", ""}));
    EXPECT_TRUE(parseScopeCode(QString()).isEmpty());
}

TEST(ScopeCodeTest, WritesWhatItReads)
{
    const QString code = joinScopeCode({buildingCode(7), doorCode(7, 2), houseCode(305), householdCode("0042")});
    EXPECT_EQ(code, QStringLiteral("B7,B7U2,H305,R0042"));
    const QList<ScopeElement> back = parseScopeCode(code);
    ASSERT_EQ(back.size(), 4);
    EXPECT_EQ(back[1].kind, Kind::Door);
    EXPECT_EQ(back[1].door, 2);
    EXPECT_EQ(back[3].household, QStringLiteral("0042"));
}

} // namespace
} // namespace cr::resident_teams
