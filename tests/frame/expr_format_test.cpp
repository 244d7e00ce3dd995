#include "frame/expr/format.h"
#include "frame/gf_functions.h"

#include <gtest/gtest.h>

namespace cr::expr {
namespace {

struct FormatCase {
    QVariant value;
    const char* format;
    const char* expected;
};

class DisplayFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DisplayFormats, FormatsValue)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(Format::apply(c.value, QString::fromUtf8(c.format)).toStdString(), std::string(c.expected))
        << c.value.toString().toStdString() << " with " << c.format;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, DisplayFormats,
    ::testing::Values(FormatCase{1234567.891, "##,###,##0.00", "1,234,567.89"},
                      FormatCase{0.0, "##,###,##0.00", "0.00"}, FormatCase{0.5, "###,##0.00", "0.50"},
                      FormatCase{85.0, "###,##0.00", "85.00"}, FormatCase{1000.0, "###,##0.00", "1,000.00"},
                      FormatCase{-1234.5, "###,##0.00", "-1,234.50"}, FormatCase{0.5, "###,###.00", ".50"},
                      FormatCase{12.0, "0", "12"}, FormatCase{2.6751, "0.0#", "2.68"}, FormatCase{2.5, "0.0#", "2.5"},
                      FormatCase{qlonglong(42), "#,##0", "42"}, FormatCase{0.256, "0.0%", "25.6%"},
                      FormatCase{-3.0, "0;(0)", "(3)"}, FormatCase{0.0, "0;(0);零", "零"},
                      FormatCase{-0.001, "0.00", "0.00"}, FormatCase{QVariant(), "0.00", ""},
                      FormatCase{QStringLiteral("单元"), "0.00", "单元"}));

INSTANTIATE_TEST_SUITE_P(
    Dates, DisplayFormats,
    ::testing::Values(FormatCase{QDate(2024, 3, 5), "yyyy-mm-dd", "2024-03-05"},
                      FormatCase{QDate(2024, 3, 5), "yyyy年m月d日", "2024年3月5日"},
                      FormatCase{QDate(2024, 3, 5), "yy/mm/dd", "24/03/05"},
                      FormatCase{QDateTime(QDate(2024, 3, 5), QTime(8, 7, 9)), "yyyy-mm-dd hh:mm:ss", "2024-03-05 08:07:09"},
                      FormatCase{QDate(2024, 3, 5), "", "2024-03-05"}));

INSTANTIATE_TEST_SUITE_P(
    Plain, DisplayFormats,
    ::testing::Values(FormatCase{2.0, "", "2"}, FormatCase{2.25, "", "2.25"}, FormatCase{qlonglong(-7), "", "-7"},
                      FormatCase{2.5, "[General]", "2.5"}));

struct SplitCase {
    const char* text;
    const char* separator;
    QStringList pieces;
};

class SubstrSplits : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SubstrSplits, SplitsAndCounts)
{
    const SplitCase& c = GetParam();
    QStringList pieces{QStringLiteral("stale")};
    long count = -1;
    const long result = gf_substr(QString::fromUtf8(c.text), QString::fromUtf8(c.separator), pieces, count);
    EXPECT_EQ(pieces, c.pieces);
    EXPECT_EQ(count, c.pieces.size());
    EXPECT_EQ(result, count);
}

INSTANTIATE_TEST_SUITE_P(
    Host, SubstrSplits,
    ::testing::Values(SplitCase{"B7,B7U2,H305,R0012", ",", {"B7", "B7U2", "H305", "R0012"}},
                      SplitCase{"B7", ",", {"B7"}}, SplitCase{"", ",", {}},
                      SplitCase{"B7,,H3,", ",", {"B7", "", "H3", ""}}, SplitCase{"a\r\nb", "\r\n", {"a", "b"}}));

TEST(HostFunctions, ReplaceAllReplacesEveryOccurrenceAndIgnoresAnEmptyPattern)
{
    EXPECT_EQ(gf_replaceall(QStringLiteral("1号楼,2号楼,3单元"), QStringLiteral(","), QStringLiteral("\r\n")),
              QStringLiteral("1号楼\r\n2号楼\r\n3单元"));
    EXPECT_EQ(gf_replaceall(QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aaaaaa"));
    EXPECT_EQ(gf_replaceall(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
}

TEST(HostFunctions, PersonAgeCountsWholeYears)
{
    struct {
        QDate today, birth;
        std::optional<int> age;
    } cases[] = {
        {QDate(2024, 6, 1), QDate(2008, 6, 1), 16},  {QDate(2024, 5, 31), QDate(2008, 6, 1), 15},
        {QDate(2023, 2, 28), QDate(2000, 2, 29), 22}, {QDate(2023, 3, 1), QDate(2000, 2, 29), 23},
        {QDate(2024, 2, 29), QDate(2000, 2, 29), 24}, {QDate(2024, 1, 1), QDate(2024, 6, 1), 0},
        {QDate(2024, 1, 1), QDate(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f_getpersonage(c.today, c.birth), c.age) << c.birth.toString(Qt::ISODate).toStdString();
}

} // namespace
} // namespace cr::expr
