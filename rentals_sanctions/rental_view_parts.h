#pragma once

#include "frame/dataview_def.h"

#include <QString>

namespace cr::rentals_sanctions {

// Pieces the rental, tenant and sanction views share.

// A column edited through a code list of tc_codelist (shows tname, stores tcode).
DropDownDef lookup(const char* name);

// The list's line number (序号).
ColumnDef lineNumber();

// The door as the rental lists show it, computed by the database: the door
// number followed by the door word, or the word alone for door 0 or none.
QString doorNameSql();

// "FROM <table> LEFT JOIN tc_ge_houseinfo ... LEFT JOIN tc_ge_building ...":
// a record whose house is gone still lists, with the house's columns empty.
QString houseJoins(const QString& table);

// A rental whose end date has passed: its rows take a colour in the list,
// and the list offers the filter "已到期". Clerks check lapsed rentals every
// month.
inline const QString kLapsedFilter = QStringLiteral("已到期");
constexpr long kLapsedColour = 13158655;   // RGB(255, 200, 200)
void markLapsed(DataViewDef& list, const QString& endColumn);

// A view over one of the rental tables (updated by the form), the rented
// house joined.
DataViewDef rentalView(const QString& name, const QString& title, const QString& sql, const QString& table,
                       const QString& key, const QList<ColumnDef>& columns);

// The list of one house's records beside a registration's form: the
// `shown` columns of `view` after a line number, in the `sort` order.
DataViewDef besideRegistration(DataViewDef view, const QString& name, const QString& title,
                               const QStringList& shown, const QString& sort);

} // namespace cr::rentals_sanctions
