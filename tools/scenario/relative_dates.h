#pragma once

#include <QDate>
#include <QString>

namespace cr::scenario {

// Dates relative to the day a scenario is played, for rules that count
// from today (a person's age): in a `sql` line, {today}, {today-16y},
// {today-16y+1d} ... become the ISO date ('2009-05-01' without the quotes).
// False, with the reason, for a placeholder it cannot read.
bool replaceRelativeDates(QString* text, const QDate& today, QString* error);

} // namespace cr::scenario
