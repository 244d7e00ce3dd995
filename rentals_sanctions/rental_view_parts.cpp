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

void putFirst(QList<ColumnDef>& columns, const QStringList& names)
{
    QList<ColumnDef> front;
    for (const QString& n : names)
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].name == n) {
                front << columns.takeAt(i);
                break;
            }
    columns = front + columns;
}

} // namespace cr::rentals_sanctions
