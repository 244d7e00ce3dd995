#include "resident_teams/team_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "resident_teams/team_fields.h"
#include "schema/table_columns.h"

namespace cr::resident_teams {
namespace {

using colors::text;
using schema::TableColumns;

const QString kLeaderTable = QStringLiteral("tc_og_inhabteamleader");

// The person's further data is an optional link: a person without that row
// is still a leader and must not drop out of the list and the form.
QString leaderQuery()
{
    const TableColumns person(QStringLiteral("tc_ge_personinfo"));
    return QStringLiteral("SELECT %1, tc_ge_personotherinfo.isvolunteer AS isvolunteer, %2, "
                          "tc_og_inhabitantteam.orgname AS orgname "
                          "FROM tc_og_inhabteamleader "
                          "JOIN tc_ge_personinfo ON tc_ge_personinfo.personno = tc_og_inhabteamleader.personno "
                          "LEFT OUTER JOIN tc_ge_personotherinfo "
                          "ON tc_ge_personotherinfo.personno = tc_og_inhabteamleader.personno "
                          "JOIN tc_og_inhabitantteam ON tc_og_inhabitantteam.teamno = tc_og_inhabteamleader.teamno")
        .arg(TableColumns(kLeaderTable).selectList(),
             person.selectList({QStringLiteral("personname"), QStringLiteral("idcard"), QStringLiteral("sex"),
                                QStringLiteral("birthdate"), QStringLiteral("rprtype"), QStringLiteral("presentaddr1"),
                                QStringLiteral("rpraddr"), QStringLiteral("nationality"), QStringLiteral("polity"),
                                QStringLiteral("edulevel"), QStringLiteral("contactphone"),
                                QStringLiteral("personkind")}));
}

DropDownDef lookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

// The person's data as the form shows it: chosen in the person selection,
// never typed here.
ColumnDef shown(ColumnDef look)
{
    look.background = text(colors::context);
    look.readOnly = true;
    return look;
}

// The columns of both leader views; the form's layout order.
QList<ColumnDef> leaderColumns()
{
    const TableColumns leader(kLeaderTable);
    const TableColumns person(QStringLiteral("tc_ge_personinfo"));
    QList<ColumnDef> c;
    c << leader.hidden("commno") << leader.hidden("orderno") << leader.hidden("teamno") << leader.hidden("personno");
    c << leader.hidden("issave");
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << leader.hidden(name);
    c << TableColumns(QStringLiteral("tc_og_inhabitantteam"))
             .joined(team_field::name, shown({.heading = "居民小组名称", .label = "居民小组名称:"}));
    // Typing a name (or a double-click) opens the person selection.
    c << person.joined(team_field::personName, {.heading = "小组长姓名", .label = "小组长姓名:", .tabOrder = 10,
                                                .background = text(colors::required)});
    c << person.joined("sex", shown({.heading = "性别", .label = "性别:", .edit = EditStyle::DropDown,
                                     .dropDown = lookup("dddw_gb_sex")}));
    c << person.joined("birthdate", shown({.heading = "出生日期", .label = "出生日期:", .format = "yyyy-mm-dd"}));
    c << person.joined("contactphone", shown({.heading = "联系电话", .label = "联系电话:"}));
    c << person.joined("idcard", shown({.heading = "身份证号码", .label = "身份证号码:"}));
    c << shown({.name = team_field::age, .kind = ColumnKind::Integer, .compute = "f_getpersonage(today(), birthdate)",
                .heading = "年龄", .label = "年龄:"});
    c << person.joined("presentaddr1", shown({.heading = "居住地址", .label = "居住地址:", .width = 40}));
    c << person.joined("nationality", shown({.heading = "民族", .label = "民族:", .edit = EditStyle::DropDown,
                                             .dropDown = lookup("dddw_gb_folk")}));
    c << person.joined("edulevel", shown({.heading = "文化程度", .label = "文化程度:", .edit = EditStyle::DropDown,
                                          .dropDown = lookup("dddw_gb_edulevel")}));
    c << person.joined("rpraddr", shown({.heading = "户籍地址", .label = "户籍地址:", .width = 40}));
    c << person.joined("personkind", shown({.heading = "从业状况", .label = "从业状况:", .edit = EditStyle::DropDown,
                                            .dropDown = lookup("dddw_gb_jobstatus")}));
    c << person.joined("polity", shown({.heading = "政治面貌", .label = "政治面貌:", .edit = EditStyle::DropDown,
                                        .dropDown = lookup("dddw_gb_polity")}));
    c << person.joined("rprtype", shown({.heading = "户口类别", .label = "户口类别:", .edit = EditStyle::DropDown,
                                         .dropDown = lookup("dddw_ge_rprtype")}));
    c << TableColumns(QStringLiteral("tc_ge_personotherinfo"))
             .joined("isvolunteer", shown({.heading = "是否志愿者", .label = "是否志愿者:", .edit = EditStyle::DropDown,
                                           .dropDown = lookup("dddw_ge_is")}));
    c << leader.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 20,
                               .background = text(colors::optional), .width = 40});
    return c;
}

DataViewDef leaderView(const QString& name)
{
    return {.name = name, .title = QStringLiteral("居民小组长"), .sql = leaderQuery(), .updateTable = kLeaderTable,
            .keyColumn = QStringLiteral("orderno"), .columns = leaderColumns()};
}

} // namespace

void registerLeaderViews(ViewCatalog& catalog)
{
    // The form shows a leader whose person has died; the list leaves them out.
    // A person without a mark is living.
    catalog.add(leaderView(QStringLiteral("d_og_inhabteamleader_f")));

    DataViewDef list = leaderView(QStringLiteral("d_og_inhabteamleader"));
    list.sql += QStringLiteral(" WHERE (tc_ge_personinfo.isdeath IS NULL OR tc_ge_personinfo.isdeath <> '1') "
                               "ORDER BY tc_og_inhabteamleader.orderno");
    list.columns.prepend(ColumnDef{.name = "rowno", .kind = ColumnKind::Integer, .compute = "getrow()",
                                   .heading = "序号", .inForm = false});
    QStringList order{QStringLiteral("rowno"), team_field::name, team_field::personName};
    for (const char* name : {"sex", "idcard", "birthdate", "age", "presentaddr1", "contactphone", "nationality", "polity",
                             "edulevel", "rprtype", "rpraddr", "personkind", "isvolunteer", "note"})
        order << QLatin1String(name);
    listInOrder(list, order);
    catalog.add(list);
}

} // namespace cr::resident_teams
