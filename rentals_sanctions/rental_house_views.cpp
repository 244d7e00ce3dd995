#include "rentals_sanctions/rental_views.h"

#include "frame/colors.h"
#include "frame/record_codes.h"
#include "frame/view_catalog.h"
#include "rentals_sanctions/rental_view_parts.h"
#include "schema/table_columns.h"

namespace cr::rentals_sanctions {
namespace {

using colors::text;
using schema::TableColumns;

const QString kTable = QStringLiteral("tc_ge_renthousereg");

// The rented house as the registration shows it: never written here.
QList<ColumnDef> houseColumns()
{
    const QString ctx = text(colors::context);
    const QString group = QStringLiteral("出租房屋：");
    const TableColumns house(QStringLiteral("tc_ge_houseinfo"));
    const TableColumns building(QStringLiteral("tc_ge_building"));
    QList<ColumnDef> c;
    c << building.joined("address", {.heading = "楼院地址", .label = "楼院地址:", .background = ctx, .group = group,
                                     .width = 40, .readOnly = true});
    c << house.joined("unitname", {.name = "newunitname", .heading = "楼门（单元）", .label = "楼门（单元）名称:",
                                   .background = ctx, .group = group, .readOnly = true});
    c << house.joined("floorno", {.heading = "层（排）号", .label = "层（排）号:", .background = ctx, .group = group,
                                  .readOnly = true});
    c << house.joined("housenumber", {.heading = "房号", .label = "房号:", .background = ctx, .group = group,
                                      .readOnly = true});
    c << house.joined("housearea", {.heading = "房屋建筑面积（平方米）", .label = "房屋建筑面积（平方米）:",
                                    .format = "###,###.00", .background = ctx, .group = group, .readOnly = true});
    c << house.joined("buildingmodel", {.heading = "户型", .label = "户型:", .edit = EditStyle::DropDown,
                                        .dropDown = lookup("dddw_ge_buildingmodel"), .background = ctx,
                                        .group = group, .readOnly = true});
    c << house.joined("droittype", {.heading = "产权类别", .label = "产权类别:", .edit = EditStyle::DropDown,
                                    .dropDown = lookup("dddw_ge_droittype"), .background = ctx, .group = group,
                                    .readOnly = true});
    c << house.joined("houserownername", {.heading = "产权单位名称或房主姓名", .label = "产权单位名称或房主姓名:",
                                          .background = ctx, .group = group, .width = 30, .readOnly = true});
    c << house.joined("contactphone", {.name = "hostcontactphone", .heading = "联系电话", .label = "联系电话:",
                                       .background = ctx, .group = group, .readOnly = true});
    c << house.joined("unitname", {.inList = false, .inForm = false});
    return c;
}

QList<ColumnDef> registrationColumns()
{
    const QString opt = text(colors::optional);
    const QString group = QStringLiteral("出租情况：");
    const TableColumns reg(kTable);
    QList<ColumnDef> c;
    c << reg.hidden("commno") << reg.hidden("orderno") << reg.hidden("houseno");
    c << reg.field("transfertype", {.heading = "使用权转移方式", .label = "使用权转移方式:", .edit = EditStyle::DropDown,
                                    .dropDown = lookup("dddw_ge_transfertype"), .tabOrder = 10, .background = opt,
                                    .group = group});
    c << reg.field("houseuse", {.heading = "租房用途", .label = "租房用途:", .edit = EditStyle::DropDown,
                                .dropDown = lookup("dddw_ge_houseuse"), .tabOrder = 20, .background = opt,
                                .group = group});
    c << reg.field("startrentdate", {.heading = "房屋开始出租时间", .label = "房屋开始出租时间:", .edit = EditStyle::Date,
                                     .format = "yyyy-mm-dd", .tabOrder = 30, .background = opt, .group = group});
    c << reg.field("endrentdate", {.heading = "房屋终止出租时间", .label = "房屋终止出租时间:", .edit = EditStyle::Date,
                                   .format = "yyyy-mm-dd", .tabOrder = 40, .background = opt, .group = group});
    c << reg.field("issigndutybook", {.heading = "是否签订责任书", .label = "是否签订责任书:",
                                      .edit = EditStyle::RadioButtons, .values = codes::yesno::choices, .tabOrder = 50,
                                      .background = opt, .group = group});
    c << reg.field("isconsignrent", {.heading = "是否委托出租", .label = "是否委托出租:",
                                     .edit = EditStyle::RadioButtons, .values = codes::yesno::choices, .tabOrder = 60,
                                     .background = opt, .group = group});
    c << reg.hidden("issave");
    c << reg.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 70,
                            .background = opt, .group = group, .width = 40});
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << reg.hidden(name);
    return c + houseColumns();
}

DataViewDef registrationView(const QString& name)
{
    const QString sql =
        QStringLiteral("SELECT %1, tc_ge_houseinfo.houserownername AS houserownername, "
                       "tc_ge_houseinfo.contactphone AS hostcontactphone, tc_ge_houseinfo.droittype AS droittype, "
                       "tc_ge_houseinfo.housearea AS housearea, tc_ge_houseinfo.buildingmodel AS buildingmodel, "
                       "tc_ge_houseinfo.housenumber AS housenumber, tc_ge_houseinfo.floorno AS floorno, "
                       "tc_ge_houseinfo.unitname AS unitname, tc_ge_houseinfo.unitno AS unitno, "
                       "tc_ge_building.address AS address, tc_ge_building.buildingno AS buildingno, %2 %3")
            .arg(TableColumns(kTable).selectList(), doorNameSql(), houseJoins(kTable));
    QList<ColumnDef> columns = registrationColumns();
    // Read for the list's order only.
    for (const char* column : {"unitno", "buildingno"})
        columns << TableColumns(QStringLiteral("tc_ge_houseinfo")).joined(column, {.inList = false, .inForm = false});
    return rentalView(name, QStringLiteral("出租房屋登记"), sql, kTable, QStringLiteral("orderno"), columns);
}

} // namespace

void registerRentalHouseViews(ViewCatalog& catalog)
{
    DataViewDef form = registrationView(QStringLiteral("d_ge_renthousereg_f"));
    form.putFirst({"address", "newunitname", "floorno", "housenumber", "housearea", "buildingmodel",
                            "droittype", "houserownername", "hostcontactphone"});
    catalog.add(form);

    DataViewDef list = registrationView(QStringLiteral("d_ge_renthousereg"));
    list.putFirst({"houseuse", "startrentdate", "endrentdate", "address", "newunitname", "floorno",
                            "housenumber", "houserownername", "hostcontactphone", "droittype", "housearea",
                            "buildingmodel", "transfertype", "issigndutybook", "isconsignrent", "note"});
    list.columns.prepend(lineNumber());
    // Lists show the yes/no facts through the yes/no lookup list.
    for (ColumnDef& c : list.columns)
        if (c.edit == EditStyle::RadioButtons) {
            c.edit = EditStyle::DropDown;
            c.dropDown = lookup("dddw_ge_is");
            c.values.clear();
        }
    // The houses in the order of the house list: building, door, floor, number.
    list.sort = QStringLiteral("buildingno asc, unitno asc, newunitname asc, floorno asc, housenumber asc, orderno asc");
    markLapsed(list, QStringLiteral("endrentdate"));
    catalog.add(list);
}

} // namespace cr::rentals_sanctions
