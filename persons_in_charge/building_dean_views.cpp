#include "persons_in_charge/persons_in_charge_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "persons_in_charge/floor_selection.h"
#include "persons_in_charge/person_columns.h"
#include "schema/codes.h"
#include "schema/table_columns.h"

namespace cr::persons_in_charge {
namespace {

using schema::TableColumns;

const QString kDeanTable = QStringLiteral("tc_ge_buildingdean");

// Every column of the dean views, in the order the form shows them; name,
// kind and length come from the tables.
QList<ColumnDef> deanColumns()
{
    const QString range = QStringLiteral("管理范围：");
    const QString person = QStringLiteral("负责人信息：");
    const QString ctx = colors::text(colors::context);
    const TableColumns dean(kDeanTable);
    const TableColumns building(QStringLiteral("tc_ge_building"));
    const TableColumns manage(QStringLiteral("tc_ge_buildingmanage"));
    QList<ColumnDef> c;
    c << dean.hidden("commno") << dean.hidden("buildingmanagerno");
    // The building is chosen here, or fixed by the building list the dean
    // is added under.
    c << dean.field("buildingno", {.label = "楼院俗称:", .edit = EditStyle::DropDown,
                                   .dropDown = {.name = FloorSelection::buildingList(), .displayColumn = "buildingname",
                                                .dataColumn = "buildingno"},
                                   .tabOrder = 10, .tag = "1", .background = colors::text(colors::required),
                                   .group = range, .inList = false});
    c << building.joined("buildingname", {.heading = "楼院俗称", .inForm = false});
    c << building.joined("address", {.heading = "楼院地址", .label = "楼院地址:", .background = ctx, .group = range,
                                     .width = 40, .readOnly = true});
    // Chosen in the floor dialog only, so that text and code stay one range.
    c << manage.joined("scopename", {.heading = "管理的楼门（单元）、层数范围",
                                     .label = "管理的楼门 \r\n（单元）以 \r\n及层数范围:", .background = ctx,
                                     .group = range, .width = 40, .readOnly = true});
    c << manage.joined("scopecode", {.inList = false, .inForm = false});
    c << building.joined("roomtype", {.inList = false, .inForm = false});
    c << personNameColumn(20, person);
    c << dean.field("duty", {.heading = "职务", .label = "职务:", .edit = EditStyle::DropDown,
                             .dropDown = codeLookup("dddw_ge_duty"), .tabOrder = 30,
                             .background = colors::text(colors::optional), .group = person});
    c << personColumn("sex", "性别", "性别:", person, "dddw_gb_sex");
    c << personColumn("birthdate", "出生日期", "出生日期:", person);
    c << ageColumn(person);
    c << personColumn("idcard", "证件号码", "证件号码:", person);
    c << personColumn("nationality", "民族", "民族:", person, "dddw_gb_folk");
    c << personColumn("polity", "政治面貌", "政治面貌:", person, "dddw_gb_polity");
    c << personColumn("edulevel", "文化程度", "文化程度:", person, "dddw_gb_edulevel");
    c << personColumn("personkind", "从业状况", "从业状况:", person, "dddw_gb_jobstatus");
    c << personColumn("contactphone", "联系电话", "联系电话:", person);
    c << personColumn("rprtype", "户口类别", "户口类别:", person, "dddw_ge_rprtype");
    c << personColumn("rpraddr", "户籍地址", "户籍地址:", person);
    c << personColumn("presentaddr1", "居住地址一", "居住地址:", person);
    c << noteColumn(kDeanTable, 40, person);
    c << dean.hidden("personno") << dean.hidden("issave");
    for (const char* spare : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << dean.hidden(spare);
    return c;
}

QString deanQuery()
{
    return QStringLiteral(
               "SELECT %1, tc_ge_building.buildingname AS buildingname, tc_ge_building.address AS address, "
               "tc_ge_personinfo.personname AS personname, tc_ge_personinfo.idcard AS idcard, "
               "tc_ge_personinfo.sex AS sex, tc_ge_personinfo.birthdate AS birthdate, "
               "tc_ge_personinfo.rprtype AS rprtype, tc_ge_personinfo.rpraddr AS rpraddr, "
               "tc_ge_personinfo.nationality AS nationality, tc_ge_personinfo.polity AS polity, "
               "tc_ge_personinfo.contactphone AS contactphone, tc_ge_personinfo.edulevel AS edulevel, "
               "tc_ge_personinfo.presentaddr1 AS presentaddr1, tc_ge_personinfo.personkind AS personkind, "
               "tc_ge_buildingmanage.scopename AS scopename, tc_ge_buildingmanage.scopecode AS scopecode, "
               "tc_ge_building.roomtype AS roomtype "
               // Outer joins: a dean saved without a person, or before his
               // range was written, is still listed and can be opened.
               "FROM tc_ge_buildingdean "
               "LEFT OUTER JOIN tc_ge_building ON tc_ge_buildingdean.buildingno = tc_ge_building.buildingno "
               "LEFT OUTER JOIN tc_ge_personinfo ON tc_ge_buildingdean.personno = tc_ge_personinfo.personno "
               "LEFT OUTER JOIN tc_ge_buildingmanage "
               "ON tc_ge_buildingdean.buildingmanagerno = tc_ge_buildingmanage.buildingmanagerno "
               "AND tc_ge_buildingdean.buildingno = tc_ge_buildingmanage.buildingno")
        .arg(TableColumns(kDeanTable).selectList());
}

// The buildings a dean's building is chosen from, and the bungalow
// compounds (the floor dialog's building lists).
void registerBuildingPickers(ViewCatalog& catalog)
{
    DataViewDef all;
    all.name = FloorSelection::buildingList();
    all.title = QStringLiteral("楼院");
    all.sql = QStringLiteral("SELECT buildingno, buildingname, address, roomtype FROM tc_ge_building "
                             "ORDER BY buildingname, buildingno");
    const TableColumns building(QStringLiteral("tc_ge_building"));
    all.columns = {building.joined("buildingno", {.heading = "楼院编号"}),
                   building.joined("buildingname", {.heading = "楼院俗称"}),
                   building.joined("address", {.heading = "楼院地址"}),
                   building.joined("roomtype", {.heading = "房屋类型"})};
    catalog.add(all);

    DataViewDef bungalows = all;
    bungalows.name = FloorSelection::bungalowList();
    bungalows.sql = QStringLiteral("SELECT buildingno, buildingname, address, roomtype FROM tc_ge_building "
                                   "WHERE roomtype = :kind ORDER BY buildingname, buildingno");
    bungalows.arguments = {QStringLiteral("kind")};
    bungalows.defaultArguments = {codes::roomtype::bungalow};
    catalog.add(bungalows);
}

} // namespace

void registerBuildingDeanViews(ViewCatalog& catalog)
{
    DataViewDef form;
    form.name = QStringLiteral("d_ge_buildingdean_f");
    form.title = QStringLiteral("楼院负责人");
    form.sql = deanQuery();
    form.updateTable = kDeanTable;
    form.keyColumn = QStringLiteral("buildingmanagerno");
    form.columns = deanColumns();
    catalog.add(form);

    DataViewDef list = form;
    list.name = QStringLiteral("d_ge_buildingdean");
    // Deceased persons are left out of the list (the form still opens them).
    list.sql += QStringLiteral(" WHERE ") + livingPersonCondition()
                + QStringLiteral(" ORDER BY tc_ge_buildingdean.buildingno, tc_ge_buildingdean.buildingmanagerno");
    list.columns.prepend(lineNumberColumn());
    list.columns = listed(list.columns, {"rownumber", "buildingname", "address", "personname", "sex", "duty", "idcard",
                                         "birthdate", "age", "presentaddr1", "nationality", "polity", "edulevel",
                                         "contactphone", "personkind", "rpraddr", "rprtype", "note", "scopename"});
    catalog.add(list);

    registerBuildingPickers(catalog);
}

} // namespace cr::persons_in_charge
