#include "exchange/cell_values.h"

#include <gtest/gtest.h>

namespace cr::exchange {
namespace {

TEST(CellValues, DatesAsClerksWriteThem)
{
    const QDate march2(1985, 3, 2);
    struct Case {
        const char* name;
        QVariant cell;
        QDate date;
    };
    const Case cases[] = {
        {"date cell", QVariant(march2), march2},
        {"serial number", QVariant(31108.0), march2},
        {"ISO", QVariant(QStringLiteral("1985-03-02")), march2},
        {"slashes without zeros", QVariant(QStringLiteral("1985/3/2")), march2},
        {"dots", QVariant(QStringLiteral("1985.3.2")), march2},
        {"digits", QVariant(QStringLiteral("19850302")), march2},
        {"digits typed as a number", QVariant(19850302.0), march2},
        {"Chinese", QVariant(QStringLiteral("1985年3月2日")), march2},
        {"with a time", QVariant(QStringLiteral("1985-03-02 00:00:00")), march2},
        {"impossible day", QVariant(QStringLiteral("1985-02-30")), QDate()},
        {"words", QVariant(QStringLiteral("三月二日")), QDate()},
        {"year only", QVariant(QStringLiteral("1985")), QDate()},
    };
    for (const Case& c : cases) EXPECT_EQ(cellDate(c.cell), c.date) << c.name;
}

TEST(CellValues, NumbersBecomeTheirDigits)
{
    EXPECT_EQ(cellText(QVariant(13800138000.0)), QStringLiteral("13800138000"));
    EXPECT_EQ(cellText(QVariant(43.5)), QStringLiteral("43.5"));
    EXPECT_EQ(cellText(QVariant(QStringLiteral("  张三 "))), QStringLiteral("张三"));
    EXPECT_EQ(cellText(QVariant()), QString());
}

TEST(CellValues, IdentityCardNumbers)
{
    struct Case {
        const char* name;
        QString number;
        bool good;
    };
    const Case cases[] = {
        {"valid", QStringLiteral("11010519491231002X"), true},
        {"lower-case x", QStringLiteral("11010519491231002x"), true},
        {"wrong check character", QStringLiteral("110105194912310021"), false},
        {"impossible birth date", QStringLiteral("110105194913310025"), false},
        {"17 digits", QStringLiteral("11010519491231002"), false},
        {"old 15-digit number", QStringLiteral("110105491231002"), false},
        {"letters", QStringLiteral("11010519491231ABCD"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(idCardProblem(c.number).isEmpty(), c.good) << c.name;
    EXPECT_TRUE(idCardProblem(QStringLiteral("110105194912310021")).contains(QStringLiteral("校验位")));
    EXPECT_TRUE(idCardProblem(QStringLiteral("110105491231002")).contains(QStringLiteral("15位")));
}

} // namespace
} // namespace cr::exchange
