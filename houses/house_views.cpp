#include "houses/houses_views.h"

#include "frame/colors.h"
#include "frame/record_codes.h"
#include "frame/view_catalog.h"
#include "schema/table_columns.h"

namespace cr::houses {
namespace {

using colors::text;
using schema::TableColumns;

// The door as users see it: door number and door word, or the word alone for
// door 0 or no door. (A CASE on unitno alone would give NULL for an empty
// door number instead of the door word.)
const char* const kHouseQuery =
    "SELECT tc_ge_houseinfo.commno AS commno, tc_ge_houseinfo.houseno AS houseno, "
    "tc_ge_houseinfo.buildingno AS buildingno, tc_ge_houseinfo.unitno AS unitno, "
    "tc_ge_houseinfo.unitname AS unitname, "
    "(case when isnull(tc_ge_houseinfo.unitno, 0) = 0 then tc_ge_houseinfo.unitname "
    "else convert(varchar(10), tc_ge_houseinfo.unitno) + tc_ge_houseinfo.unitname end) AS unitname1, "
    "tc_ge_houseinfo.floorno AS floorno, tc_ge_houseinfo.housenumber AS housenumber, "
    "tc_ge_houseinfo.housearea AS housearea, tc_ge_houseinfo.buildingmodel AS buildingmodel, "
    "tc_ge_houseinfo.houseuse AS houseuse, tc_ge_houseinfo.isrent AS isrent, "
    "tc_ge_houseinfo.droittype AS droittype, tc_ge_houseinfo.houserownername AS personname, "
    "tc_ge_houseinfo.contactphone AS contactphone, tc_ge_houseinfo.personno AS personno, "
    "tc_ge_houseinfo.issave AS issave, tc_ge_houseinfo.note AS note, "
    "tc_ge_houseinfo.prepare1 AS prepare1, tc_ge_houseinfo.prepare2 AS prepare2, "
    "tc_ge_houseinfo.prepare3 AS prepare3, tc_ge_houseinfo.prepare4 AS prepare4, "
    "tc_ge_houseinfo.prepare5 AS prepare5, tc_ge_houseinfo.prepare6 AS prepare6, "
    "tc_ge_building.buildingname AS buildingname, tc_ge_building.address AS address, "
    "tc_ge_building.roomtype AS roomtype, tc_ge_building.upfloornum AS upfloornum, "
    "tc_ge_building.downfloornum AS downfloornum, tc_ge_building.floorhouesnum AS floorhouesnum, "
    "tc_ge_building.unitnum AS unitnum "
    "FROM tc_ge_houseinfo JOIN tc_ge_building ON tc_ge_houseinfo.buildingno = tc_ge_building.buildingno";

DropDownDef lookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

// Every column of the house views, with its list heading and form field;
// name, kind and length come from the tables.
QList<ColumnDef> houseColumns()
{
    const QString req = text(colors::required);
    const QString opt = text(colors::optional);
    const QString ctx = text(colors::context);
    const QString basic = QStringLiteral("房屋基本信息：");
    const QString owner = QStringLiteral("产权情况：");
    const TableColumns house(QStringLiteral("tc_ge_houseinfo"));
    const TableColumns building(QStringLiteral("tc_ge_building"));
    QList<ColumnDef> c;
    for (const char* name : {"commno", "houseno", "buildingno", "unitno", "unitname"}) c << house.hidden(name);
    // The door as shown: computed by the query; the window stores it as
    // unitno and unitname, so it is as long as unitname.
    c << house.joined("unitname", {.name = "unitname1", .heading = "楼门（单元）", .label = "楼门（单元）名称:",
                                   .tabOrder = 10, .background = opt, .group = basic});
    c << house.field("floorno", {.heading = "层(排)号", .label = "层（排）号:", .tabOrder = 20, .background = opt,
                                 .group = basic});
    c << house.field("housenumber", {.heading = "房号", .label = "房号:", .tabOrder = 30, .tag = "1",
                                     .background = req, .group = basic});
    c << house.field("housearea", {.heading = "房屋建筑面积（平方米）", .label = "房屋建筑面积（平方米）:",
                                   .format = "###,##0.00", .tabOrder = 40, .background = opt, .group = basic});
    c << house.field("buildingmodel", {.heading = "户型", .label = "户型:", .edit = EditStyle::DropDown,
                                       .dropDown = lookup("dddw_ge_buildingmodel"), .tabOrder = 50,
                                       .background = opt, .group = basic});
    c << house.field("houseuse", {.heading = "房屋用途", .label = "房屋用途:", .edit = EditStyle::DropDown,
                                  .dropDown = lookup("dddw_ge_houseuse"), .tabOrder = 60, .background = opt,
                                  .group = basic});
    c << house.field("isrent", {.heading = "是否出租", .label = "是否出租:", .edit = EditStyle::CodeList,
                                .values = codes::yesno::choices, .tabOrder = 70, .background = opt, .group = basic});
    c << house.field("droittype", {.heading = "产权类别", .label = "产权类别:", .edit = EditStyle::DropDown,
                                   .dropDown = lookup("dddw_ge_droittype"), .tabOrder = 80, .background = opt,
                                   .group = owner});
    c << house.field("houserownername", {.name = "personname", .heading = "产权单位名称或房主姓名",
                                         .label = "产权单位名称或房主姓名:", .tabOrder = 90, .background = opt,
                                         .group = owner, .width = 30});
    c << house.field("contactphone", {.heading = "联系电话", .label = "联系电话:", .tabOrder = 100, .background = opt,
                                      .group = owner});
    c << house.hidden("personno") << house.hidden("issave");
    c << house.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 110,
                              .background = opt, .group = owner, .width = 40});
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << house.hidden(name);
    // The building's columns: context for the form, never written.
    c << building.joined("buildingname", {.heading = "楼院俗称", .label = "楼院俗称:", .background = ctx,
                                          .group = basic, .readOnly = true});
    c << building.joined("address", {.heading = "楼院地址", .label = "楼院地址:", .background = ctx, .group = basic,
                                     .width = 40, .readOnly = true});
    c << building.joined("roomtype", {.heading = "房屋类型", .label = "房屋类型:", .edit = EditStyle::DropDown,
                                      .dropDown = lookup("dddw_ge_roomtype"), .background = ctx, .group = basic,
                                      .readOnly = true});
    for (const char* name : {"upfloornum", "downfloornum", "floorhouesnum", "unitnum"})
        c << building.joined(name, {.inList = false, .inForm = false});
    return c;
}

// Moves the named columns to the front, in the given order.
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

DataViewDef houseView(const QString& name)
{
    DataViewDef d;
    d.name = name;
    d.title = QStringLiteral("房屋信息表");
    d.sql = QLatin1String(kHouseQuery);
    d.updateTable = QStringLiteral("tc_ge_houseinfo");
    d.keyColumn = QStringLiteral("houseno");
    d.columns = houseColumns();
    return d;
}

// Lists the house register fills itself: never retrieved.
void registerPickers(ViewCatalog& catalog)
{
    DataViewDef unit;
    unit.name = QStringLiteral("dddw_ge_buildingunit");
    unit.columns = {ColumnDef{.name = "buildingno", .kind = ColumnKind::Integer},
                    ColumnDef{.name = "unitno", .kind = ColumnKind::Integer},
                    ColumnDef{.name = "unitname1", .heading = "楼门（单元）"},
                    ColumnDef{.name = "unitname"}};
    catalog.add(unit);
    DataViewDef floor;
    floor.name = QStringLiteral("dddw_ge_floorno");
    floor.columns = {ColumnDef{.name = "buildingno", .kind = ColumnKind::Integer},
                     ColumnDef{.name = "floorno", .kind = ColumnKind::Integer, .heading = "层"}};
    catalog.add(floor);
    DataViewDef number;
    number.name = QStringLiteral("dddw_ge_housenumber");
    number.columns = {ColumnDef{.name = "floorno", .kind = ColumnKind::Integer},
                      ColumnDef{.name = "housenumber", .heading = "房号"}};
    catalog.add(number);
}

} // namespace

void registerHouseViews(ViewCatalog& catalog)
{
    DataViewDef form = houseView(QStringLiteral("d_ge_houseinfo_f"));
    putFirst(form.columns, {"buildingname", "address", "roomtype", "unitname1", "floorno", "housenumber"});
    catalog.add(form);

    DataViewDef list = houseView(QStringLiteral("d_ge_houseinfo"));
    putFirst(list.columns, {"buildingname", "address", "roomtype"});
    list.columns.prepend(ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()",
                                   .heading = "序号", .inForm = false});
    list.summaries = {{"housearea", "sum(housearea for all)", "###,##0.00"}};
    catalog.add(list);

    registerPickers(catalog);
}

} // namespace cr::houses
