#include "exchange/exchange_views.h"

#include "exchange/import_kinds.h"
#include "frame/view_catalog.h"

namespace cr::exchange {
namespace {

// A list column for each import field, in the template's order.
QList<ColumnDef> columnsOf(ImportKind kind)
{
    QList<ColumnDef> columns;
    for (const ImportField& f : importKind(kind).fields) {
        ColumnDef c;
        c.name = f.column;
        c.heading = f.heading;
        c.label = f.heading;
        if (f.type == FieldType::Date) {
            c.kind = ColumnKind::Date;
            c.format = QStringLiteral("yyyy-mm-dd");
        }
        if (f.type == FieldType::Code) {
            c.edit = EditStyle::DropDown;
            c.dropDown = DropDownDef{.name = f.codeList, .displayColumn = QStringLiteral("tname"),
                                     .dataColumn = QStringLiteral("tcode")};
        }
        columns << c;
    }
    return columns;
}

DataViewDef listOf(const char* name, ImportKind kind, const QString& title, const QString& sql)
{
    DataViewDef d;
    d.name = QLatin1String(name);
    d.title = title;
    d.sql = sql;
    d.columns = columnsOf(kind);
    return d;
}

} // namespace

void registerViews(ViewCatalog& catalog)
{
    catalog.add(listOf("d_ge_personinfo", ImportKind::Persons, QStringLiteral("人员"),
                       QStringLiteral("SELECT personname, sex, idcard, birthdate, nationality, polity, edulevel, "
                                      "personkind, rprtype, rprstatus, rprno, rpraddr, presentaddr1, contactphone "
                                      "FROM tc_ge_personinfo WHERE isdeath IS NULL OR isdeath <> '1' "
                                      "ORDER BY personno")));
    catalog.add(listOf("d_ge_rpr", ImportKind::Households, QStringLiteral("户籍"),
                       QStringLiteral("SELECT rprno, hostname, rpraddr FROM tc_ge_rpr ORDER BY rprno")));
    // The house as a clerk names it; the door as the lists show it.
    catalog.add(listOf(
        "d_ge_rprownhouse", ImportKind::Links, QStringLiteral("户与房屋"),
        QStringLiteral("SELECT r.rprno, b.address AS building, "
                       "case when h.unitno is null or h.unitno = 0 then h.unitname "
                       "else convert(varchar(10), h.unitno) + isnull(h.unitname, '') end AS door, "
                       "h.housenumber, r.housingkind "
                       "FROM tc_ge_rprownhouse r JOIN tc_ge_houseinfo h ON h.houseno = r.houseno "
                       "JOIN tc_ge_building b ON b.buildingno = h.buildingno ORDER BY r.rprno, r.orderno")));
}

} // namespace cr::exchange
