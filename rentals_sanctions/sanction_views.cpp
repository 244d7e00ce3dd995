#include "rentals_sanctions/rental_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "rentals_sanctions/rental_view_parts.h"
#include "schema/table_columns.h"

namespace cr::rentals_sanctions {
namespace {

using colors::text;
using schema::TableColumns;

const QString kTable = QStringLiteral("tc_ge_punishrecord");

QList<ColumnDef> sanctionColumns()
{
    const QString opt = text(colors::optional);
    const QString ctx = text(colors::context);
    const QString where = QStringLiteral("出租房屋：");
    const QString sanction = QStringLiteral("处罚情况：");
    const TableColumns record(kTable);
    const TableColumns house(QStringLiteral("tc_ge_houseinfo"));
    QList<ColumnDef> c;
    for (const char* name : {"commno", "orderno", "houseno"}) c << record.hidden(name);
    c << record.field("progdate", {.heading = "处罚日期", .label = "处罚日期:", .edit = EditStyle::Date,
                                   .format = "yyyy-mm-dd", .tabOrder = 10, .background = opt, .group = sanction});
    c << record.field("progcause", {.heading = "处罚事由", .label = "处罚事由:", .edit = EditStyle::DropDown,
                                    .dropDown = lookup("dddw_ge_progcause"), .tabOrder = 20, .background = opt,
                                    .group = sanction});
    c << record.field("progresult", {.heading = "处罚结果", .label = "处罚结果:", .edit = EditStyle::DropDown,
                                     .dropDown = lookup("dddw_ge_progresult"), .tabOrder = 30, .background = opt,
                                     .group = sanction});
    c << record.hidden("issave");
    c << record.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 40,
                               .background = opt, .group = sanction, .width = 40});
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << record.hidden(name);
    c << house.joined("houserownername", {.heading = "产权单位名称或房主姓名", .label = "产权单位名称或房主姓名:",
                                          .background = ctx, .group = where, .width = 30, .readOnly = true});
    c << house.joined("contactphone", {.name = "hostcontactphone", .heading = "联系电话", .label = "联系电话:",
                                       .background = ctx, .group = where, .readOnly = true});
    // Read for the list's order only.
    c << house.joined("unitname", {.name = "newunitname", .inList = false, .inForm = false});
    for (const char* name : {"buildingno", "unitno", "unitname", "floorno", "housenumber"})
        c << house.joined(name, {.inList = false, .inForm = false});
    return c;
}

DataViewDef sanctionView(const QString& name)
{
    const QString sql =
        QStringLiteral("SELECT %1, tc_ge_houseinfo.houserownername AS houserownername, "
                       "tc_ge_houseinfo.contactphone AS hostcontactphone, tc_ge_houseinfo.buildingno AS buildingno, "
                       "tc_ge_houseinfo.unitno AS unitno, tc_ge_houseinfo.unitname AS unitname, "
                       "tc_ge_houseinfo.floorno AS floorno, tc_ge_houseinfo.housenumber AS housenumber, %2 %3")
            .arg(TableColumns(kTable).selectList(), doorNameSql(), houseJoins(kTable));
    return rentalView(name, QStringLiteral("房屋出租处罚记录"), sql, kTable, QStringLiteral("orderno"), sanctionColumns());
}

} // namespace

void registerSanctionViews(ViewCatalog& catalog)
{
    DataViewDef form = sanctionView(QStringLiteral("d_ge_punishrecord_f"));
    form.putFirst({"houserownername", "hostcontactphone", "progdate", "progcause", "progresult", "note"});
    catalog.add(form);

    DataViewDef list = sanctionView(QStringLiteral("d_ge_punishrecord"));
    list.putFirst({"houserownername", "hostcontactphone", "progdate", "progcause", "progresult", "note"});
    list.columns.prepend(lineNumber());
    list.sort = QStringLiteral("buildingno asc, unitno asc, newunitname asc, floorno asc, housenumber asc, "
                               "progdate asc, orderno asc");
    catalog.add(list);

    // The sanctions of one house, beside its registration.
    catalog.add(besideRegistration(sanctionView(QString()), QStringLiteral("d_ge_punishrecord_house"),
                                   QStringLiteral("处罚记录"), {"progdate", "progcause", "progresult", "note"},
                                   QStringLiteral("progdate asc, orderno asc")));
}

} // namespace cr::rentals_sanctions
