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
// for operands of the wrong kind.
QVariant arithmetic(int op, const QVariant& a, const QVariant& b, bool* error);

// SQL-style pattern: % any run of characters, _ one character.
bool like(const QString& text, const QString& pattern);

} // namespace cr::expr::values
