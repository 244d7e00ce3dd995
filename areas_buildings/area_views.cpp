#include "areas_buildings/areas_buildings_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "schema/table_columns.h"

namespace cr::areas_buildings {
namespace {

using colors::text;
using schema::TableColumns;

const QString kAreaTable = QStringLiteral("tc_ge_regionalmanage");

// The area with its counts of buildings, households and persons.
QString areaQuery()
{
    return QStringLiteral("SELECT %1, v_ge_regionalbuilding.buildingnum AS buildingnum, "
                          "v_ge_regionalrprperson.rprnum AS rprnum, v_ge_regionalrprperson.personnum AS personnum "
                          "FROM tc_ge_regionalmanage "
                          "LEFT OUTER JOIN v_ge_regionalbuilding "
                          "ON tc_ge_regionalmanage.regionalno = v_ge_regionalbuilding.regionalno "
                          "LEFT OUTER JOIN v_ge_regionalrprperson "
                          "ON tc_ge_regionalmanage.regionalno = v_ge_regionalrprperson.regionalno")
        .arg(TableColumns(kAreaTable).selectList());
}

// Columns both area views share; what each shows is set per view.
QList<ColumnDef> areaColumns()
{
    const TableColumns area(kAreaTable);
    const QString ctx = text(colors::context);
    QList<ColumnDef> c;
    c << area.hidden("commno") << area.hidden("regionalno");
    c << area.field("regionalname", {.heading = "区域名称", .label = "区域名称:", .tabOrder = 10, .tag = "1",
                                     .background = text(colors::required), .width = 30});
    c << area.hidden("issave");
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << area.hidden(name);
    // Counts from the registry's views: shown, never written.
    c << ColumnDef{.name = "buildingnum", .kind = ColumnKind::Integer, .heading = "所辖楼院数",
                   .label = "所辖楼院数:", .background = ctx, .readOnly = true};
    c << ColumnDef{.name = "rprnum", .kind = ColumnKind::Integer, .heading = "所辖户数", .label = "所辖户数:",
                   .background = ctx, .readOnly = true};
    c << ColumnDef{.name = "personnum", .kind = ColumnKind::Integer, .heading = "所辖人口数",
                   .label = "所辖人口数:", .background = ctx, .readOnly = true};
    c << area.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 20,
                             .background = text(colors::optional), .width = 40});
    return c;
}

DataViewDef areaView(const QString& name)
{
    DataViewDef d;
    d.name = name;
    d.title = QStringLiteral("责任区");
    d.sql = areaQuery();
    d.updateTable = kAreaTable;
    d.keyColumn = QStringLiteral("regionalno");
    d.columns = areaColumns();
    return d;
}

} // namespace

void registerAreaViews(ViewCatalog& catalog)
{
    DataViewDef list = areaView(QStringLiteral("d_ge_regionalmanage"));
    // Areas list in the order they were registered, the same on every engine.
    list.sql += QStringLiteral(" ORDER BY tc_ge_regionalmanage.regionalno");
    list.columns.prepend(ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()",
                                   .heading = "序号", .inForm = false});
    list.summaries = {{"buildingnum", "sum(buildingnum for all)", ""},
                      {"rprnum", "sum(rprnum for all)", ""},
                      {"personnum", "sum(personnum for all)", ""}};
    catalog.add(list);

    DataViewDef form = areaView(QStringLiteral("d_ge_regionalmanage_f"));
    // The form shows name and remark first, then the counts.
    form.columns.move(form.columnIndex(QStringLiteral("note")), form.columnIndex(QStringLiteral("buildingnum")));
    catalog.add(form);

    DataViewDef lookup;
    lookup.name = QStringLiteral("dddw_ge_regionalmanage");
    lookup.sql = QStringLiteral("SELECT regionalno, regionalname FROM tc_ge_regionalmanage ORDER BY regionalname");
    lookup.columns = {ColumnDef{.name = "regionalno", .kind = ColumnKind::Integer, .heading = "编号"},
                      ColumnDef{.name = "regionalname", .heading = "区域名称"}};
    catalog.add(lookup);
}

} // namespace cr::areas_buildings
