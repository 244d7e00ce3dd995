#pragma once

#include <QDate>
#include <QString>

namespace cr::scenario {

// Dates a scenario cannot write down because they move with the calendar:
// {today}, {today+N} and {today-N} become yyyy-MM-dd of the day the
// scenario is played (N whole days); {today-7y} is the same day seven years
// before (a birth date for an age), {today-7y+1} the day after it. False,
// with the reason, for a word in braces that starts with "today" but is
// none of these.
bool substituteDates(QString* text, const QDate& today, QString* error);

} // namespace cr::scenario
