#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace cr {

// Dates as clerks type them into a date field: 2024-3-5, 2024-03-05,
// 2024/3/5, 2024.3.5, 20240305 and 2024年3月5日 (the 日 may be left off);
// blanks around the parts and full-width digits and signs (typed with a
// Chinese input method) are taken too. Anything else is no date: a text
// with something after the date, a two-digit year, a day the month does not
// have. nullopt then, never a guess.
std::optional<QDate> parseTypedDate(const QString& text);

// What the clerk is told when the text typed into the date field `label`
// is no date.
QString typedDateRefusal(const QString& label, const QString& text);

} // namespace cr
