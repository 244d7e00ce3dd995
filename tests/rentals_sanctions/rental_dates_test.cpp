// The date rules of the rented-house, tenant and sanction windows: which
// date is refused with which warning, one warning per change, the empty
// date passing every rule.
#include "rentals_sanctions/rental_dates.h"

#include <gtest/gtest.h>

#include <functional>

namespace cr::rentals_sanctions {
namespace {

const QDate kToday(2024, 6, 30);
const QDate kNone;

struct RuleCase {
    const char* name;
    std::function<std::optional<QString>()> rule;
    const char* warning;   // nullptr: passes
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class DateRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DateRules, WarnAsTheClerkIsToldOrPass)
{
    const RuleCase& c = GetParam();
    const std::optional<QString> warning = c.rule();
    if (!c.warning) {
        EXPECT_FALSE(warning.has_value()) << warning.value_or(QString()).toStdString();
        return;
    }
    ASSERT_TRUE(warning.has_value());
    EXPECT_EQ(*warning, QString::fromUtf8(c.warning));
}

RuleCase regStart(const char* name, QDate start, QDate end, const char* warning)
{
    return {name, [=] { return registration::startTyped(start, end, kToday); }, warning};
}
RuleCase regEnd(const char* name, QDate end, QDate start, const char* warning)
{
    return {name, [=] { return registration::endTyped(end, start); }, warning};
}

const char* const kStartAfterToday = "房屋开始出租时间不能大于当前日期！";
const char* const kStartTooEarly = "房屋开始出租时间太早！";
const char* const kStartAfterEnd = "房屋开始出租时间不能大于房屋终止出租时间！";

INSTANTIATE_TEST_SUITE_P(
    Registration, DateRules,
    ::testing::Values(
        regStart("StartToday", kToday, kNone, nullptr),
        regStart("StartTomorrow", kToday.addDays(1), kNone, kStartAfterToday),
        regStart("StartEarliest", QDate(1900, 1, 1), kNone, nullptr),
        regStart("StartDayBeforeEarliest", QDate(1899, 12, 31), kNone, kStartTooEarly),
        regStart("StartEqualsEnd", QDate(2020, 5, 1), QDate(2020, 5, 1), nullptr),
        regStart("StartDayAfterEnd", QDate(2020, 5, 2), QDate(2020, 5, 1), kStartAfterEnd),
        regStart("StartAfterTodayAndEndOnlyFirstWarning", kToday.addDays(1), QDate(2020, 1, 1), kStartAfterToday),
        regStart("StartTooEarlyBeforeEndCheck", QDate(1899, 1, 1), QDate(1800, 1, 1), kStartTooEarly),
        regStart("StartEmptied", kNone, QDate(2020, 1, 1), nullptr),
        regEnd("EndEarliest", QDate(1900, 1, 1), kNone, nullptr),
        regEnd("EndDayBeforeEarliest", QDate(1899, 12, 31), kNone, "房屋终止出租时间太早！"),
        regEnd("EndAfterToday", kToday.addYears(2), kNone, nullptr),
        regEnd("EndEqualsStart", QDate(2020, 5, 1), QDate(2020, 5, 1), nullptr),
        regEnd("EndDayBeforeStart", QDate(2020, 4, 30), QDate(2020, 5, 1), "房屋终止出租时间不能小于房屋开始出租时间！"),
        regEnd("EndEmptied", kNone, QDate(2020, 5, 1), nullptr),
        RuleCase{"SavePeriodEqual", [] { return registration::period(QDate(2020, 5, 1), QDate(2020, 5, 1)); }, nullptr},
        RuleCase{"SaveStartAfterEnd", [] { return registration::period(QDate(2020, 5, 2), QDate(2020, 5, 1)); },
                 kStartAfterEnd},
        RuleCase{"SaveEndMissing", [] { return registration::period(QDate(2020, 5, 2), kNone); }, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

const char* const kTenantBeforeRegistration =
    "出租记录的开始出租时间不能比出租登记的开始时间早！\r\r\n该房屋出租登记的开始时间为：2006年3月5日";

INSTANTIATE_TEST_SUITE_P(
    Tenant, DateRules,
    ::testing::Values(
        RuleCase{"StartEarliest", [] { return tenant::startTyped(QDate(1900, 1, 1)); }, nullptr},
        RuleCase{"StartTooEarly", [] { return tenant::startTyped(QDate(1899, 12, 31)); }, "房屋开始出租时间太早！"},
        RuleCase{"StartAfterTodayWaitsForSave", [] { return tenant::startTyped(kToday.addDays(9)); }, nullptr},
        RuleCase{"EndTooEarly", [] { return tenant::endTyped(QDate(1899, 12, 31)); }, "房屋出租终止时间太早！"},
        RuleCase{"PeriodReversed", [] { return tenant::period(QDate(2020, 1, 2), QDate(2020, 1, 1)); },
                 "开始出租时间不能大于终止时间！"},
        RuleCase{"PeriodWithoutStart", [] { return tenant::period(kNone, QDate(2020, 1, 1)); }, nullptr},
        RuleCase{"StartOnRegistrationDay",
                 [] { return tenant::againstRegistration(QDate(2006, 3, 5), QDate(2006, 3, 5)); }, nullptr},
        RuleCase{"StartDayBeforeRegistration",
                 [] { return tenant::againstRegistration(QDate(2006, 3, 4), QDate(2006, 3, 5)); },
                 kTenantBeforeRegistration},
        RuleCase{"NoRegistrationStart", [] { return tenant::againstRegistration(QDate(1900, 1, 1), kNone); }, nullptr},
        RuleCase{"NoTenantStart", [] { return tenant::againstRegistration(kNone, QDate(2006, 3, 5)); }, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Sanction, DateRules,
    ::testing::Values(
        RuleCase{"Today", [] { return sanction::dateTyped(kToday, kToday); }, nullptr},
        RuleCase{"Tomorrow", [] { return sanction::dateTyped(kToday.addDays(1), kToday); }, "处罚日期不能大于当前日期！"},
        RuleCase{"Earliest", [] { return sanction::dateTyped(QDate(1900, 1, 1), kToday); }, nullptr},
        RuleCase{"DayBeforeEarliest", [] { return sanction::dateTyped(QDate(1899, 12, 31), kToday); }, "处罚日期太早！"},
        RuleCase{"Emptied", [] { return sanction::dateTyped(kNone, kToday); }, nullptr},
        RuleCase{"OnRegistrationDay",
                 [] { return sanction::againstRegistration(QDate(2006, 3, 5), QDate(2006, 3, 5)); }, nullptr},
        RuleCase{"DayBeforeRegistration",
                 [] { return sanction::againstRegistration(QDate(2006, 3, 4), QDate(2006, 3, 5)); },
                 "处罚日期不能比出租登记的开始时间早！\r\r\n该房屋出租登记的开始时间为：2006年3月5日"},
        RuleCase{"EmptyDateAtSave", [] { return sanction::againstRegistration(kNone, QDate(2006, 3, 5)); }, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WrittenDate, HasNoLeadingZeros)
{
    EXPECT_EQ(writtenDate(QDate(2006, 3, 5)), QStringLiteral("2006年3月5日"));
    EXPECT_EQ(writtenDate(QDate(2019, 12, 31)), QStringLiteral("2019年12月31日"));
}

} // namespace
} // namespace cr::rentals_sanctions
