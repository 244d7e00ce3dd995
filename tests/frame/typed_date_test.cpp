// Dates as clerks type them, and what a date field does with text that is
// no date: refused with the field emptied, never a silent null or a guess.
#include "dataview_test_support.h"
#include "frame/typed_date.h"

#include <gtest/gtest.h>

namespace cr::test {
namespace {

struct TypedCase {
    const char* name;
    const char* text;
    QDate expected;   // invalid: refused
};

class TypedDates : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedDates, ReadAsClerksWriteThem)
{
    const TypedCase& c = GetParam();
    const std::optional<QDate> d = parseTypedDate(QString::fromUtf8(c.text));
    if (c.expected.isValid()) {
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(*d, c.expected) << c.text;
    } else {
        EXPECT_FALSE(d.has_value()) << c.text << " read as " << d->toString(Qt::ISODate).toStdString();
    }
}

const QDate kMarch5(2024, 3, 5);

INSTANTIATE_TEST_SUITE_P(
    Forms, TypedDates,
    ::testing::Values(TypedCase{"Dashes", "2024-3-5", kMarch5}, TypedCase{"DashesPadded", "2024-03-05", kMarch5},
                      TypedCase{"Slashes", "2024/03/05", kMarch5}, TypedCase{"SlashesShort", "2024/3/5", kMarch5},
                      TypedCase{"Dots", "2024.3.5", kMarch5}, TypedCase{"Compact", "20240305", kMarch5},
                      TypedCase{"Written", "2024年3月5日", kMarch5}, TypedCase{"WrittenPadded", "2024年03月05日", kMarch5},
                      TypedCase{"WrittenWithoutDay", "2024年3月5", kMarch5},
                      TypedCase{"WrittenWithBlanks", " 2024 年 3 月 5 日 ", kMarch5},
                      TypedCase{"BlanksAround", "  2024-3-5\t", kMarch5},
                      TypedCase{"FullWidthDigits", "２０２４－３－５", kMarch5},
                      TypedCase{"FullWidthCompact", "２０２４０３０５", kMarch5},
                      TypedCase{"LeapDay", "2024-2-29", QDate(2024, 2, 29)},
                      TypedCase{"EarliestDay", "1900-01-01", QDate(1900, 1, 1)},
                      TypedCase{"DayBefore", "1899-12-31", QDate(1899, 12, 31)},
                      TypedCase{"NoLeapDay", "2023-2-29", QDate()}, TypedCase{"NoSuchDay", "2024-04-31", QDate()},
                      TypedCase{"NoSuchMonth", "2024-13-01", QDate()}, TypedCase{"MonthZero", "2024-0-10", QDate()},
                      TypedCase{"CompactNoSuchDay", "20240230", QDate()},
                      TypedCase{"CompactTooShort", "2024035", QDate()},
                      TypedCase{"TwoDigitYear", "24-3-5", QDate()}, TypedCase{"YearMonthOnly", "2024-3", QDate()},
                      TypedCase{"MixedSeparators", "2024/3-5", QDate()},
                      TypedCase{"TextAfter", "2024-3-5 abc", QDate()},
                      TypedCase{"TimeAfter", "2024-03-05 10:30", QDate()},
                      TypedCase{"DayFirst", "5/3/2024", QDate()}, TypedCase{"Words", "明天", QDate()},
                      TypedCase{"WrittenNoYearMark", "2024 3月5日", QDate()},
                      TypedCase{"Blank", "   ", QDate()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypedDateRefusal, NamesTheFieldTheTextAndTheFormsTaken)
{
    const QString text = typedDateRefusal(QStringLiteral("处罚日期"), QStringLiteral(" 2024-13-01 "));
    EXPECT_TRUE(text.startsWith(QStringLiteral("“处罚日期”中输入的“2024-13-01”不是有效的日期"))) << text.toStdString();
    for (const char* form : {"2024-3-5", "2024/03/05", "20240305", "2024年3月5日"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(form))) << form;
}

// A date field refuses text that is no date before the window sees it: the
// field is emptied (an earlier date must not stay as if the typed one had
// been taken), the refusal is raised for the window to tell the user, and
// the text does not stay pending. A number field keeps its value and the
// text stays to be corrected, as before.
TEST(TypedDateRefusal, EmptiesTheDateFieldAndRaisesTheRefusal)
{
    auto v = storedHouses({{{"k", 1}, {"floorno", 3}, {"born", QDate(2000, 1, 1)}}});
    int handlerCalls = 0;
    v->events().itemChanged = [&](int, const QString&, const QString&) { return ++handlerCalls, 0; };
    QStringList refused;
    v->events().valueRefused = [&](int row, const QString& column, const QString& text) {
        refused << QStringLiteral("%1:%2:%3").arg(row).arg(column, text);
    };

    EXPECT_EQ(v->userEdit(1, QStringLiteral("born"), QStringLiteral("2024-02-30")), -1);
    EXPECT_TRUE(v->getItem(1, QStringLiteral("born")).isNull());
    EXPECT_EQ(refused, QStringList{QStringLiteral("1:born:2024-02-30")});
    EXPECT_EQ(handlerCalls, 0) << "the window never sees text that is no date";

    EXPECT_EQ(v->userEdit(1, QStringLiteral("born"), QStringLiteral("2024年2月29日")), 0);
    EXPECT_EQ(v->getItemDate(1, QStringLiteral("born")), QDate(2024, 2, 29));
    EXPECT_EQ(handlerCalls, 1);

    v->setRow(1);
    v->setPendingText(QStringLiteral("born"), QStringLiteral("2024-3-5 下午"));
    EXPECT_EQ(v->acceptText(), -1);
    EXPECT_FALSE(v->hasPendingText()) << "the emptied field holds nothing typed";
    EXPECT_TRUE(v->getItem(1, QStringLiteral("born")).isNull());

    v->setPendingText(QStringLiteral("floorno"), QStringLiteral("三"));
    EXPECT_EQ(v->acceptText(), -1);
    EXPECT_TRUE(v->hasPendingText()) << "a number stays to be corrected";
    EXPECT_EQ(v->getItemNumber(1, QStringLiteral("floorno")), 3.0);
    EXPECT_EQ(refused.size(), 3);
}

// Dates the program sets (from the database, a person dialog) keep the
// lenient reading: only typing is held to the clerks' forms.
TEST(TypedDateRefusal, ProgramValuesAreReadAsStored)
{
    auto v = storedHouses({{{"k", 1}}});
    EXPECT_EQ(v->setItem(1, QStringLiteral("born"), QStringLiteral("2024-03-05 00:00:00")), 1);
    EXPECT_EQ(v->getItemDate(1, QStringLiteral("born")), kMarch5);
}

} // namespace
} // namespace cr::test
