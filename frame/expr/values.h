#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// How expression values behave: null, numbers (qlonglong or double), texts,
// dates and booleans, each held in a QVariant. A null is an invalid QVariant.
namespace cr::expr::values {

bool isNull(const QVariant& v);       // invalid, SQL NULL or a null QString
bool isNumber(const QVariant& v);      // integer, decimal or boolean
bool isText(const QVariant& v);
bool isDate(const QVariant& v);        // QDate or QDateTime

// A number from a number or from numeric text ("1,234.50" included).
std::optional<double> toNumber(const QVariant& v);
std::optional<qlonglong> toInteger(const QVariant& v);   // whole numbers only
// A double cut to a whole number; nullopt when it is not finite or lies
// beyond what a qlonglong holds (casting such a double is undefined).
std::optional<qlonglong> truncateToInteger(double d);
// Whole-number arithmetic that reports overflow instead of wrapping.
std::optional<qlonglong> checkedAdd(qlonglong a, qlonglong b);
std::optional<qlonglong> checkedSub(qlonglong a, qlonglong b);
std::optional<qlonglong> checkedMul(qlonglong a, qlonglong b);
bool isIntegral(const QVariant& v);   // a whole-number type (not double or float)
// Integral doubles that fit come back as qlonglong, so 2.0 prints as 2.
QVariant tidyNumber(double d);
QDate toDate(const QVariant& v);            // invalid when not a date
QDateTime toDateTime(const QVariant& v);
QDate parseDate(const QString& text);       // yyyy-m-d, yyyy/m/d, yyyy.m.d, yyyymmdd
QDateTime parseDateTime(const QString& text);

// Orders two non-null values: <0, 0, >0; nullopt when they cannot be
// compared (a text that is no number against a number, ...).
std::optional<int> compare(const QVariant& a, const QVariant& b);
bool truthy(const QVariant& v);

// + - * / ^ with null propagating; + of two texts concatenates. Sets *error
// for operands of the wrong kind. A result that does not fit (an integer
// overflow, an infinite or undefined decimal) is null, like a division by 0.
QVariant arithmetic(int op, const QVariant& a, const QVariant& b, bool* error);

// SQL-style pattern: % any run of characters, _ one character. Takes time
// proportional to the text times the pattern at worst, never more.
bool like(const QString& text, const QString& pattern);

} // namespace cr::expr::values
