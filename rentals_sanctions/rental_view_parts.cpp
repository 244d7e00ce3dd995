#include "rentals_sanctions/rental_view_parts.h"

namespace cr::rentals_sanctions {

DropDownDef lookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

ColumnDef lineNumber()
{
    return ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()", .heading = "序号",
                     .inForm = false};
}

QString doorNameSql()
{
    return QStringLiteral("((case tc_ge_houseinfo.unitno when 0 then space(0) when null then space(0) "
                          "else Cast(tc_ge_houseinfo.unitno as char(10)) end) + tc_ge_houseinfo.unitname) "
                          "AS newunitname");
}

QString houseJoins(const QString& table)
{
    return QStringLiteral("FROM %1 LEFT OUTER JOIN tc_ge_houseinfo ON %1.houseno = tc_ge_houseinfo.houseno "
                          "LEFT OUTER JOIN tc_ge_building ON tc_ge_houseinfo.buildingno = tc_ge_building.buildingno")
        .arg(table);
}

void markLapsed(DataViewDef& list, const QString& endColumn)
{
    const QString lapsed = QStringLiteral("%1 < today()").arg(endColumn);
    // Other rows keep the list's own (alternating) background.
    list.rowColour = QStringLiteral("if(%1, %2, '')").arg(lapsed).arg(kLapsedColour);
    list.listFilters << ListFilterDef{kLapsedFilter, lapsed};
}

DataViewDef rentalView(const QString& name, const QString& title, const QString& sql, const QString& table,
                       const QString& key, const QList<ColumnDef>& columns)
{
    DataViewDef d;
    d.name = name;
    d.title = title;
    d.sql = sql;
    d.updateTable = table;
    d.keyColumn = key;
    d.columns = columns;
    return d;
}

DataViewDef besideRegistration(DataViewDef view, const QString& name, const QString& title,
                               const QStringList& shown, const QString& sort)
{
    view.name = name;
    view.title = title;
    view.putFirst(shown);
    for (ColumnDef& c : view.columns) c.inList = shown.contains(c.name);
    view.columns.prepend(lineNumber());
    view.sort = sort;
    return view;
}

} // namespace cr::rentals_sanctions
