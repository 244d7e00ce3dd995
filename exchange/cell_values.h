#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace cr::exchange {

// A cell as text: numbers without exponent or trailing ".0" (a telephone
// number typed into a number cell stays its digits), dates as yyyy-MM-dd,
// blanks at the ends dropped.
QString cellText(const QVariant& cell);

// A date as clerks write it: a date cell, a spreadsheet serial number,
// 1985-03-02, 1985/3/2, 1985.3.2, 19850302 or 1985年3月2日. Invalid when
// none of these.
QDate cellDate(const QVariant& cell);

// What is wrong with a resident identity card number, empty when nothing:
// 18 characters, the birth date inside a real date, the check character
// right. `number` is taken as written (a lower-case x is fine).
QString idCardProblem(const QString& number);

} // namespace cr::exchange
