#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Helper functions of the host framework that windows, data view
// expressions and global functions call.
namespace cr {

// Splits text at every separator into pieces (in order, empty pieces kept,
// so "a,,b," gives "a", "", "b", ""), sets count to their number and
// returns it. An empty text gives no piece.
long gf_substr(const QString& text, const QString& separator, QStringList& pieces, long& count);
QStringList gf_substr(const QString& text, const QString& separator);

// Text with every occurrence of oldText replaced by newText. An empty
// oldText replaces nothing.
QString gf_replaceall(const QString& text, const QString& oldText, const QString& newText);

// Whole years from birthdate to today (a birthday on 29 February counts from
// 1 March in other years); nullopt when a date is missing, 0 for a birth
// date after today.
std::optional<int> f_getpersonage(const QDate& today, const QDate& birthdate);

// The date expressions and windows take as today: the machine's date unless
// a test or scenario has fixed it.
QDate today();
void setTodayOverride(const QDate& date);   // invalid date: back to the machine's date

} // namespace cr
