#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {
namespace {

bool before(const QDate& a, const QDate& b) { return a.isValid() && b.isValid() && a < b; }

// A date before the registration's start: the refusal, a blank line, and
// the registration's start.
std::optional<QString> beforeRegistration(const QDate& date, const QDate& registrationStart, const QString& refusal)
{
    if (!before(date, registrationStart)) return std::nullopt;
    return refusal + QStringLiteral("\r\r\n该房屋出租登记的开始时间为：") + writtenDate(registrationStart);
}

} // namespace

QString writtenDate(const QDate& date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

namespace registration {

std::optional<QString> startTyped(const QDate& start, const QDate& end, const QDate& today)
{
    if (before(today, start)) return QStringLiteral("房屋开始出租时间不能大于当前日期！");
    if (before(start, kEarliestDate)) return QStringLiteral("房屋开始出租时间太早！");
    if (before(end, start)) return QStringLiteral("房屋开始出租时间不能大于房屋终止出租时间！");
    return std::nullopt;
}

std::optional<QString> endTyped(const QDate& end, const QDate& start)
{
    if (before(end, kEarliestDate)) return QStringLiteral("房屋终止出租时间太早！");
    if (before(end, start)) return QStringLiteral("房屋终止出租时间不能小于房屋开始出租时间！");
    return std::nullopt;
}

std::optional<QString> period(const QDate& start, const QDate& end)
{
    if (before(end, start)) return QStringLiteral("房屋开始出租时间不能大于房屋终止出租时间！");
    return std::nullopt;
}

} // namespace registration

namespace tenant {

std::optional<QString> startTyped(const QDate& start)
{
    if (before(start, kEarliestDate)) return QStringLiteral("房屋开始出租时间太早！");
    return std::nullopt;
}

std::optional<QString> endTyped(const QDate& end)
{
    if (before(end, kEarliestDate)) return QStringLiteral("房屋出租终止时间太早！");
    return std::nullopt;
}

std::optional<QString> period(const QDate& start, const QDate& end)
{
    if (before(end, start)) return QStringLiteral("开始出租时间不能大于终止时间！");
    return std::nullopt;
}

std::optional<QString> againstRegistration(const QDate& start, const QDate& registrationStart)
{
    return beforeRegistration(start, registrationStart,
                              QStringLiteral("出租记录的开始出租时间不能比出租登记的开始时间早！"));
}

} // namespace tenant

namespace sanction {

std::optional<QString> dateTyped(const QDate& date, const QDate& today)
{
    if (before(today, date)) return QStringLiteral("处罚日期不能大于当前日期！");
    if (before(date, kEarliestDate)) return QStringLiteral("处罚日期太早！");
    return std::nullopt;
}

std::optional<QString> againstRegistration(const QDate& date, const QDate& registrationStart)
{
    return beforeRegistration(date, registrationStart, QStringLiteral("处罚日期不能比出租登记的开始时间早！"));
}

} // namespace sanction

} // namespace cr::rentals_sanctions
