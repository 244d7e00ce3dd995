#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace cr::rentals_sanctions {

// The date rules of the rented-house, tenant and sanction windows. Each
// answers the warning the clerk is shown ("警告信息"), or nothing when the
// date passes; an empty (invalid) date passes every rule.

inline const QString kWarning = QStringLiteral("警告信息");
// The earliest date the rental windows take.
inline const QDate kEarliestDate(1900, 1, 1);

// 2006年3月5日: a date as the two-line refusals name the registration's start.
QString writtenDate(const QDate& date);

namespace registration {
// A start typed: not after today, not before 1900-01-01, not after the end
// (one message, in that order).
std::optional<QString> startTyped(const QDate& start, const QDate& end, const QDate& today);
// An end typed: not before 1900-01-01, not before the start. Later than
// today is allowed.
std::optional<QString> endTyped(const QDate& end, const QDate& start);
// At the validated save: the start not after the end.
std::optional<QString> period(const QDate& start, const QDate& end);
} // namespace registration

namespace tenant {
// Typed dates are only held against 1900-01-01; the rest waits for the save.
std::optional<QString> startTyped(const QDate& start);
std::optional<QString> endTyped(const QDate& end);
std::optional<QString> period(const QDate& start, const QDate& end);
// A tenant's rental starts no earlier than the house's registration.
std::optional<QString> againstRegistration(const QDate& start, const QDate& registrationStart);
} // namespace tenant

namespace sanction {
// Not later than today, not before 1900-01-01.
std::optional<QString> dateTyped(const QDate& date, const QDate& today);
// Not before the house's registration starts.
std::optional<QString> againstRegistration(const QDate& date, const QDate& registrationStart);
} // namespace sanction

} // namespace cr::rentals_sanctions
