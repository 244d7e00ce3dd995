#include "resident_teams/team_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "resident_teams/team_fields.h"
#include "schema/table_columns.h"

namespace cr::resident_teams {
namespace {

using colors::text;
using schema::TableColumns;

const QString kTeamTable = QStringLiteral("tc_og_inhabitantteam");

// Every team, with or without a scope row and with or without an area.
QString teamQuery()
{
    const TableColumns scope(QStringLiteral("tc_og_inhabteamscope"));
    return QStringLiteral("SELECT %1, %2, tc_ge_regionalmanage.regionalname AS regionalname "
                          "FROM tc_og_inhabitantteam "
                          "LEFT OUTER JOIN tc_og_inhabteamscope ON tc_og_inhabteamscope.teamno = tc_og_inhabitantteam.teamno "
                          "LEFT OUTER JOIN tc_ge_regionalmanage "
                          "ON tc_ge_regionalmanage.regionalno = tc_og_inhabitantteam.regionalno")
        .arg(TableColumns(kTeamTable).selectList(),
             scope.selectList({QStringLiteral("scopename"), QStringLiteral("scopecode"), QStringLiteral("rprnum"),
                               QStringLiteral("personnum")}));
}

// The columns of both team views in select order. Only the team's own
// columns are written with the form; the scope columns come through the
// join and the window writes the scope row itself.
QList<ColumnDef> teamColumns()
{
    const QString req = text(colors::required);
    const QString opt = text(colors::optional);
    const QString ctx = text(colors::context);
    const QString teamGroup = QStringLiteral("居民小组信息:");
    const QString scopeGroup = QStringLiteral("管辖范围信息（房屋的集合）:");
    const TableColumns team(kTeamTable);
    const TableColumns scope(QStringLiteral("tc_og_inhabteamscope"));
    QList<ColumnDef> c;
    c << team.hidden("commno") << team.hidden("teamno");
    c << team.field("regionalno", {.label = "所属责任区:", .edit = EditStyle::DropDown,
                                   .dropDown = {.name = "dddw_ge_regionalmanage", .displayColumn = "regionalname",
                                                .dataColumn = "regionalno"},
                                   .tabOrder = 20, .background = opt, .group = teamGroup, .inList = false});
    // The name is checked by the window with its own message, so its Tag stays empty.
    c << team.field("orgname", {.heading = "居民小组名称", .label = "居民小组名称:", .tabOrder = 10,
                                .background = req, .group = teamGroup, .width = 30});
    c << team.hidden("issave");
    c << team.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 30,
                             .background = opt, .group = teamGroup, .width = 40});
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << team.hidden(name);
    c << scope.joined(team_field::scopeName,
                      {.heading = "管理的楼院、单元及房屋、家庭范围", .label = "管理的楼院 \r\n（单元）及 \r\n房、户范围:",
                       .edit = EditStyle::MultiLine, .background = ctx, .group = scopeGroup, .width = 60,
                       .readOnly = true});
    c << scope.joined(team_field::scopeCode, {.inList = false, .inForm = false});
    c << scope.joined(team_field::households, {.heading = "所辖户数", .label = "所辖户数:", .background = ctx,
                                               .group = teamGroup, .readOnly = true});
    c << scope.joined(team_field::persons, {.heading = "所辖人口数", .label = "所辖人口数:", .background = ctx,
                                            .group = teamGroup, .readOnly = true});
    c << TableColumns(QStringLiteral("tc_ge_regionalmanage"))
             .joined("regionalname", {.heading = "所属责任区", .inForm = false});
    return c;
}

DataViewDef teamView(const QString& name)
{
    return {.name = name, .title = QStringLiteral("居民小组"), .sql = teamQuery(), .updateTable = kTeamTable,
            .keyColumn = team_field::team, .columns = teamColumns()};
}

} // namespace

void listInOrder(DataViewDef& list, const QStringList& order)
{
    QList<ColumnDef> listed;
    for (const QString& name : order) listed << list.columns.takeAt(list.columnIndex(name));
    for (ColumnDef& col : list.columns) col.inList = false;
    list.columns = listed + list.columns;
}

void registerTeamViews(ViewCatalog& catalog)
{
    DataViewDef form = teamView(QStringLiteral("d_og_inhabitantteam_f"));
    // The form: the counts stand after the area, the scope last.
    for (const QString& name : {team_field::persons, team_field::households})
        form.columns.move(form.columnIndex(name), form.columnIndex(team_field::area) + 1);
    form.columns.move(form.columnIndex(team_field::scopeName), form.columns.size() - 1);
    catalog.add(form);

    DataViewDef list = teamView(QStringLiteral("d_og_inhabitantteam"));
    // Teams list in the order they were registered, the same on every engine.
    list.sql += QStringLiteral(" ORDER BY tc_og_inhabitantteam.teamno");
    list.columns.prepend(ColumnDef{.name = "rowno", .kind = ColumnKind::Integer, .compute = "getrow()",
                                   .heading = "序号", .inForm = false});
    listInOrder(list, {QStringLiteral("rowno"), team_field::areaName, team_field::name, team_field::scopeName,
                       team_field::households, team_field::persons, QStringLiteral("note")});
    list.summaries = {{team_field::households, "sum(rprnum for all)", ""},
                      {team_field::persons, "sum(personnum for all)", ""}};
    catalog.add(list);
}

} // namespace cr::resident_teams
