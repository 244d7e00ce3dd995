#include "areas_buildings/areas_buildings_views.h"

#include "frame/colors.h"
#include "frame/record_codes.h"
#include "frame/view_catalog.h"
#include "schema/table_columns.h"

#include <algorithm>

namespace cr::areas_buildings {
namespace {

using colors::text;
using schema::TableColumns;

const QString kBuildingTable = QStringLiteral("tc_ge_building");

DropDownDef lookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

// Every column of the building views, with its list heading and form field;
// name, kind and length come from the table. The form starts in the
// multi-storey layout; the window switches states.
QList<ColumnDef> buildingColumns()
{
    const QString req = text(colors::required);
    const QString opt = text(colors::optional);
    const QString bungalows = QStringLiteral("以下项目只对平房");
    const TableColumns building(kBuildingTable);
    QList<ColumnDef> c;
    c << building.hidden("commno") << building.hidden("buildingno");
    c << building.field("regionalno", {.label = "所属责任区:", .edit = EditStyle::DropDown,
                                       .dropDown = {.name = "dddw_ge_regionalmanage", .displayColumn = "regionalname",
                                                    .dataColumn = "regionalno"},
                                       .tabOrder = 10, .background = opt, .inList = false});
    c << building.field("address", {.heading = "楼院地址", .label = "楼院地址:", .tabOrder = 30, .tag = "1",
                                    .background = req, .width = 40});
    c << building.field("buildingname", {.heading = "楼院俗称", .label = "楼院俗称:", .tabOrder = 20, .tag = "1",
                                         .background = req, .width = 30});
    c << building.field("roomtype", {.heading = "房屋类型", .label = "房屋类型:", .edit = EditStyle::DropDown,
                                     .dropDown = lookup("dddw_ge_roomtype"), .tabOrder = 40, .tag = "1",
                                     .background = req});
    c << building.field("buildinguse", {.heading = "建筑物用途", .label = "建筑物用途:", .edit = EditStyle::DropDown,
                                        .dropDown = lookup("dddw_ge_buildinguse"), .tabOrder = 70, .background = opt});
    c << building.field("fixedyear", {.heading = "建造年份", .label = "建造年份:", .tabOrder = 50, .background = opt});
    c << building.field("upfloornum", {.heading = "建筑层数(地上)(层)", .label = "建筑层数（地上）:", .tabOrder = 80,
                                       .tag = "1", .background = req});
    c << building.field("downfloornum", {.heading = "建筑层数(地下)(层)", .label = "建筑层数（地下）:", .tabOrder = 90,
                                         .background = opt});
    c << building.field("buildingstruture", {.heading = "建筑结构", .label = "建筑结构:", .edit = EditStyle::DropDown,
                                             .dropDown = lookup("dddw_ge_buildingstruture"), .tabOrder = 60,
                                             .background = opt});
    c << building.field("buildingarea", {.heading = "楼院总建筑面积（平方米）", .label = "楼院总建筑面积:",
                                         .format = "###,##0.00", .tabOrder = 130, .background = opt,
                                         .suffix = "（平方米）"});
    c << building.field("floorhouesnum", {.heading = "每单元每层户数", .label = "每单元每层户数:", .tabOrder = 120,
                                          .tag = "1", .background = req});
    c << building.field("housenum", {.heading = "间数（间）", .label = "间数:", .tabOrder = 140, .background = opt,
                                     .group = bungalows});
    c << building.field("unitnum", {.heading = "楼门（单元）数", .label = "楼门（单元）数:", .tabOrder = 100, .tag = "1",
                                    .background = req});
    c << building.field("istoilet", {.heading = "是否有公厕", .label = "是否有公厕:", .edit = EditStyle::RadioButtons,
                                     .values = codes::yesno::choices, .tabOrder = 150, .background = opt,
                                     .group = bungalows});
    c << building.field("iswaterdispart", {.heading = "水表是否分户", .label = "水表是否分户:",
                                           .edit = EditStyle::RadioButtons, .values = codes::yesno::choices,
                                           .tabOrder = 160, .background = opt, .group = bungalows});
    c << building.field("isammeterdispart", {.heading = "电表是否分户", .label = "电表是否分户:",
                                             .edit = EditStyle::RadioButtons, .values = codes::yesno::choices,
                                             .tabOrder = 170, .background = opt, .group = bungalows});
    c << building.hidden("issave");
    c << building.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 180,
                                 .background = opt, .width = 40});
    c << building.hidden("prepare1") << building.hidden("prepare2");
    c << building.field("prepare3", {.heading = "楼门单位", .label = "楼门单位:", .edit = EditStyle::CodeList,
                                     .values = {{"单元", "单元"}, {"门", "门"}}, .tabOrder = 110, .tag = "1",
                                     .background = req});
    c << building.hidden("prepare4") << building.hidden("prepare5") << building.hidden("prepare6");
    c << TableColumns(QStringLiteral("tc_ge_regionalmanage"))
             .joined("regionalname", {.heading = "所属责任区", .inForm = false});
    return c;
}

// List order of the building list, left to right.
const char* const kListOrder[] = {
    "rownumber", "address", "buildingname", "regionalname", "roomtype", "buildinguse", "fixedyear", "upfloornum",
    "downfloornum", "floorhouesnum", "unitnum", "prepare3", "buildingstruture", "buildingarea", "housenum",
    "istoilet", "iswaterdispart", "isammeterdispart", "note"};

} // namespace

void registerBuildingViews(ViewCatalog& catalog)
{
    const QString query = QStringLiteral("SELECT %1, tc_ge_regionalmanage.regionalname AS regionalname "
                                         "FROM tc_ge_building LEFT OUTER JOIN tc_ge_regionalmanage "
                                         "ON tc_ge_building.regionalno = tc_ge_regionalmanage.regionalno")
                              .arg(TableColumns(kBuildingTable).selectList());
    DataViewDef form;
    form.name = QStringLiteral("d_ge_building_f");
    form.title = QStringLiteral("社区楼院");
    form.sql = query;
    form.updateTable = QStringLiteral("tc_ge_building");
    form.keyColumn = QStringLiteral("buildingno");
    form.columns = buildingColumns();
    catalog.add(form);

    DataViewDef list = form;
    list.name = QStringLiteral("d_ge_building");
    // Buildings list in the order they were registered, the same on every engine.
    list.sql += QStringLiteral(" ORDER BY tc_ge_building.buildingno");
    list.columns.prepend(ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()",
                                   .heading = "序号", .inForm = false});
    // Lists show the yes/no facts through the yes/no lookup list.
    for (ColumnDef& col : list.columns) {
        if (col.edit == EditStyle::RadioButtons) {
            col.edit = EditStyle::DropDown;
            col.dropDown = lookup("dddw_ge_is");
            col.values.clear();
        }
    }
    QList<ColumnDef> ordered;
    for (const char* name : kListOrder) ordered << list.columns[list.columnIndex(QLatin1String(name))];
    for (const ColumnDef& col : list.columns)
        if (!col.inList || ordered.end() == std::find_if(ordered.begin(), ordered.end(),
                                                         [&](const ColumnDef& o) { return o.name == col.name; })) {
            ColumnDef h = col;
            h.inList = false;
            ordered << h;
        }
    list.columns = ordered;
    list.summaries = {{"buildingarea", "sum(buildingarea for all)", "##,###,##0.00"},
                      {"unitnum", "sum(unitnum for all)", ""},
                      {"housenum", "sum(housenum for all)", ""}};
    for (ColumnDef& col : list.columns)
        if (col.name == QLatin1String("buildingarea")) col.format = QStringLiteral("##,###,##0.00");
    catalog.add(list);

    // Single-building form over the table alone.
    DataViewDef single;
    single.name = QStringLiteral("d_building_f");
    single.title = QStringLiteral("社区楼院");
    single.sql = QStringLiteral("SELECT %1 FROM tc_ge_building WHERE buildingno = :al_buildingno")
                     .arg(TableColumns(kBuildingTable).selectList());
    single.arguments = {QStringLiteral("al_buildingno")};
    single.updateTable = QStringLiteral("tc_ge_building");
    single.keyColumn = QStringLiteral("buildingno");
    for (const ColumnDef& col : buildingColumns())
        if (col.name != QLatin1String("regionalname")) single.columns << col;
    catalog.add(single);
}

} // namespace cr::areas_buildings
