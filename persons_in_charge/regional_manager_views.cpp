#include "persons_in_charge/persons_in_charge_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "persons_in_charge/person_columns.h"
#include "schema/table_columns.h"

namespace cr::persons_in_charge {
namespace {

using schema::TableColumns;

const QString kManagerTable = QStringLiteral("tc_ge_regionalmanager");

// Every column of the area manager views, in the order the form shows them.
QList<ColumnDef> managerColumns()
{
    const QString none;
    const TableColumns manager(kManagerTable);
    QList<ColumnDef> c;
    c << manager.hidden("commno") << manager.hidden("orderno");
    // The area is chosen here, or fixed by the area list the manager is
    // added under.
    c << manager.field("regionalno", {.label = "区域名称:", .edit = EditStyle::DropDown,
                                      .dropDown = {.name = "dddw_ge_regionalmanage", .displayColumn = "regionalname",
                                                   .dataColumn = "regionalno"},
                                      .tabOrder = 10, .tag = "1", .background = colors::text(colors::required),
                                      .inList = false});
    c << TableColumns(QStringLiteral("tc_ge_regionalmanage"))
             .joined("regionalname", {.heading = "管理区域", .inForm = false});
    c << personNameColumn(20, none);
    c << personColumn("idcard", "身份证号码", "身份证号码:", none);
    c << personColumn("sex", "性别", "性别:", none, "dddw_gb_sex");
    c << personColumn("birthdate", "出生日期", "出生日期:", none);
    c << ageColumn(none);
    c << personColumn("rprtype", "户口类别", "户口类别:", none, "dddw_ge_rprtype");
    c << personColumn("nationality", "民族", "民族:", none, "dddw_gb_folk");
    c << personColumn("polity", "政治面貌", "政治面貌:", none, "dddw_gb_polity");
    c << personColumn("edulevel", "文化程度", "文化程度:", none, "dddw_gb_edulevel");
    c << personColumn("contactphone", "联系电话", "联系电话:", none);
    c << personColumn("personkind", "从业状况", "从业状况:", none, "dddw_gb_jobstatus");
    c << personColumn("isvolunteer", "是否志愿者", "是否志愿者:", none, "dddw_ge_is");
    c << personColumn("presentaddr1", "居住地址", "居住地址:", none);
    c << personColumn("rpraddr", "户籍地址", "户籍地址:", none);
    c << noteColumn(kManagerTable, 30, none);
    c << manager.hidden("personno") << manager.hidden("issave");
    for (const char* spare : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << manager.hidden(spare);
    return c;
}

QString managerQuery()
{
    return QStringLiteral(
               "SELECT %1, tc_ge_personinfo.personname AS personname, tc_ge_personinfo.idcard AS idcard, "
               "tc_ge_personinfo.sex AS sex, tc_ge_personinfo.birthdate AS birthdate, "
               "tc_ge_personinfo.rprtype AS rprtype, tc_ge_personinfo.rpraddr AS rpraddr, "
               "tc_ge_personinfo.nationality AS nationality, tc_ge_personinfo.polity AS polity, "
               "tc_ge_personinfo.contactphone AS contactphone, tc_ge_personinfo.edulevel AS edulevel, "
               "tc_ge_personinfo.presentaddr1 AS presentaddr1, tc_ge_personinfo.personkind AS personkind, "
               "tc_ge_personotherinfo.isvolunteer AS isvolunteer, tc_ge_regionalmanage.regionalname AS regionalname "
               // Outer joins: a manager saved without a person is still
               // listed and can be opened.
               "FROM tc_ge_regionalmanager "
               "LEFT OUTER JOIN tc_ge_personinfo ON tc_ge_personinfo.personno = tc_ge_regionalmanager.personno "
               "LEFT OUTER JOIN tc_ge_personotherinfo ON tc_ge_personinfo.personno = tc_ge_personotherinfo.personno "
               "LEFT OUTER JOIN tc_ge_regionalmanage "
               "ON tc_ge_regionalmanager.regionalno = tc_ge_regionalmanage.regionalno")
        .arg(TableColumns(kManagerTable).selectList());
}

} // namespace

void registerRegionalManagerViews(ViewCatalog& catalog)
{
    DataViewDef form;
    form.name = QStringLiteral("d_ge_regionalmanager_f");
    form.title = QStringLiteral("居委会分片管理负责人");
    // Deceased persons are left out of the form (the list still shows them).
    form.sql = managerQuery() + QStringLiteral(" WHERE ") + livingPersonCondition();
    form.updateTable = kManagerTable;
    form.keyColumn = QStringLiteral("orderno");
    form.columns = managerColumns();
    catalog.add(form);

    DataViewDef list = form;
    list.name = QStringLiteral("d_ge_regionalmanager");
    list.sql = managerQuery()
               + QStringLiteral(" ORDER BY tc_ge_regionalmanager.regionalno, tc_ge_regionalmanager.orderno");
    list.columns.prepend(lineNumberColumn());
    list.columns = listed(list.columns, {"rownumber", "regionalname", "personname", "idcard", "sex", "birthdate", "age",
                                         "rprtype", "presentaddr1", "rpraddr", "nationality", "polity", "edulevel",
                                         "contactphone", "personkind", "isvolunteer", "note"});
    catalog.add(list);
}

} // namespace cr::persons_in_charge
