#include "rentals_sanctions/rental_views.h"

#include "frame/colors.h"
#include "frame/view_catalog.h"
#include "rentals_sanctions/rental_view_parts.h"
#include "schema/table_columns.h"

#include <tuple>

namespace cr::rentals_sanctions {
namespace {

using colors::text;
using schema::TableColumns;

const QString kTable = QStringLiteral("tc_ge_rentregistry");

QList<ColumnDef> tenantColumns()
{
    const QString opt = text(colors::optional);
    const QString ctx = text(colors::context);
    const QString rental = QStringLiteral("租房情况：");
    const QString person = QStringLiteral("租房人：");
    const TableColumns tenant(kTable);
    const TableColumns house(QStringLiteral("tc_ge_houseinfo"));
    const TableColumns people(QStringLiteral("tc_ge_personinfo"));
    QList<ColumnDef> c;
    for (const char* name : {"commno", "rentregistryno", "orderno", "houseno"}) c << tenant.hidden(name);
    c << tenant.field("houseuse", {.heading = "租房用途", .label = "租房用途:", .edit = EditStyle::DropDown,
                                   .dropDown = lookup("dddw_ge_houseuse"), .tabOrder = 10, .background = opt,
                                   .group = rental});
    c << tenant.field("startrentdate", {.heading = "出租时间", .label = "出租时间:", .edit = EditStyle::Date,
                                        .format = "yyyy-mm-dd", .tabOrder = 20, .background = opt, .group = rental});
    c << tenant.field("endrentdate", {.heading = "终止时间", .label = "终止时间:", .edit = EditStyle::Date,
                                      .format = "yyyy-mm-dd", .tabOrder = 30, .background = opt, .group = rental});
    c << tenant.field("personnum", {.heading = "合租人数", .label = "合住人数:", .tabOrder = 40, .background = opt,
                                    .group = rental});
    c << tenant.hidden("personno") << tenant.hidden("issave");
    c << tenant.field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 60,
                               .background = opt, .group = person, .width = 40});
    for (const char* name : {"prepare1", "prepare2", "prepare3", "prepare4", "prepare5", "prepare6"})
        c << tenant.hidden(name);

    // The person, chosen by name in the person selection: only the name is
    // typed. It looks required; the window's own check asks for it.
    c << people.joined("personname", {.heading = "租房人姓名", .label = "租房人姓名:", .tabOrder = 50,
                                      .background = text(colors::required), .group = person});
    c << people.joined("sex", {.heading = "性别", .label = "性别:", .edit = EditStyle::DropDown,
                               .dropDown = lookup("dddw_gb_sex"), .background = ctx, .group = person,
                               .readOnly = true});
    c << people.joined("idcard", {.heading = "身份证号码", .label = "身份证号码:", .background = ctx, .group = person,
                                  .readOnly = true});
    c << people.joined("birthdate", {.inList = false, .inForm = false});
    c << ColumnDef{.name = "age", .kind = ColumnKind::Integer, .compute = "f_getpersonage(today(), birthdate)",
                   .heading = "年龄", .label = "年龄:", .background = ctx, .group = person, .readOnly = true};
    for (const auto& [name, heading, list] : {std::tuple{"edulevel", "文化程度", "dddw_gb_edulevel"},
                                              std::tuple{"personkind", "从业状况", "dddw_gb_jobstatus"},
                                              std::tuple{"rprstatus", "户籍状态", "dddw_ge_rprstatus"}})
        c << people.joined(name, {.heading = heading, .label = QString::fromUtf8(heading) + QLatin1Char(':'),
                                  .edit = EditStyle::DropDown, .dropDown = lookup(list), .background = ctx,
                                  .group = person, .readOnly = true});
    c << people.joined("polity", {.inList = false, .inForm = false});
    c << people.joined("contactphone", {.heading = "联系电话", .label = "联系电话:", .background = ctx,
                                        .group = person, .readOnly = true});
    c << people.joined("rpraddr", {.heading = "户籍地址", .label = "户籍地址:", .background = ctx, .group = person,
                                   .width = 40, .readOnly = true});

    // The rented house, for reference.
    const QString where = QStringLiteral("出租房屋：");
    c << TableColumns(QStringLiteral("tc_ge_building"))
             .joined("address", {.heading = "楼院地址", .label = "楼院地址:", .background = ctx, .group = where,
                                 .width = 40, .readOnly = true});
    c << house.joined("unitname", {.name = "newunitname", .heading = "楼门（单元）", .label = "楼门（单元）名称:",
                                   .background = ctx, .group = where, .readOnly = true});
    c << house.joined("housenumber", {.heading = "房号", .label = "房号:", .background = ctx, .group = where,
                                      .readOnly = true});
    c << house.joined("houserownername", {.heading = "产权单位名称或房主姓名", .label = "产权单位名称或房主姓名:",
                                          .background = ctx, .group = where, .width = 30, .readOnly = true});
    c << house.joined("contactphone", {.name = "hostcontactphone", .heading = "房主联系电话",
                                       .label = "房主联系电话:", .background = ctx, .group = where,
                                       .readOnly = true});
    // Read for the list's order only.
    for (const char* name : {"buildingno", "unitno", "unitname", "floorno"})
        c << house.joined(name, {.inList = false, .inForm = false});
    return c;
}

QString tenantQuery()
{
    return QStringLiteral(
               "SELECT %1, tc_ge_houseinfo.houserownername AS houserownername, "
               "tc_ge_houseinfo.contactphone AS hostcontactphone, tc_ge_houseinfo.buildingno AS buildingno, "
               "tc_ge_houseinfo.unitno AS unitno, tc_ge_houseinfo.unitname AS unitname, "
               "tc_ge_houseinfo.floorno AS floorno, tc_ge_houseinfo.housenumber AS housenumber, "
               "tc_ge_building.address AS address, tc_ge_personinfo.personname AS personname, "
               "tc_ge_personinfo.idcard AS idcard, tc_ge_personinfo.sex AS sex, "
               "tc_ge_personinfo.birthdate AS birthdate, tc_ge_personinfo.rprstatus AS rprstatus, "
               "tc_ge_personinfo.rpraddr AS rpraddr, tc_ge_personinfo.polity AS polity, "
               "tc_ge_personinfo.edulevel AS edulevel, tc_ge_personinfo.personkind AS personkind, "
               "tc_ge_personinfo.contactphone AS contactphone, %2 %3 "
               "LEFT OUTER JOIN tc_ge_personinfo ON tc_ge_rentregistry.personno = tc_ge_personinfo.personno")
        .arg(TableColumns(kTable).selectList(), doorNameSql(), houseJoins(kTable));
}

DataViewDef tenantView(const QString& name)
{
    return rentalView(name, QStringLiteral("房屋出租记录"), tenantQuery(), kTable, QStringLiteral("rentregistryno"),
                      tenantColumns());
}

const char* const kListOrder[] = {"houseuse", "startrentdate", "endrentdate", "address", "newunitname",
                                  "housenumber", "personnum", "personname", "idcard", "sex", "age", "rprstatus",
                                  "rpraddr", "edulevel", "personkind", "contactphone", "houserownername",
                                  "hostcontactphone", "note"};

} // namespace

void registerTenantViews(ViewCatalog& catalog)
{
    DataViewDef form = tenantView(QStringLiteral("d_ge_rentregistry_f"));
    form.putFirst({"address", "newunitname", "housenumber", "houserownername", "hostcontactphone",
                            "houseuse", "startrentdate", "endrentdate", "personnum", "personname", "sex", "idcard",
                            "age", "edulevel", "personkind", "rprstatus", "contactphone", "rpraddr", "note"});
    catalog.add(form);

    DataViewDef list = tenantView(QStringLiteral("d_ge_rentregistry"));
    QStringList order;
    for (const char* name : kListOrder) order << QLatin1String(name);
    list.putFirst(order);
    for (ColumnDef& c : list.columns)
        if (!order.contains(c.name)) c.inList = false;
    list.columns.prepend(lineNumber());
    list.summaries = {{"personnum", "sum(personnum for all)", ""}};
    // By house as the house list orders them, then when the tenant moved in.
    list.sort = QStringLiteral("buildingno asc, unitno asc, newunitname asc, floorno asc, housenumber asc, "
                               "startrentdate asc, rentregistryno asc");
    markLapsed(list, QStringLiteral("endrentdate"));
    catalog.add(list);

    // The tenants of one house, beside its registration: who, since when.
    DataViewDef beside = besideRegistration(
        tenantView(QString()), QStringLiteral("d_ge_rentregistry_house"), QStringLiteral("租房人"),
        {"personname", "sex", "age", "idcard", "startrentdate", "endrentdate", "personnum", "contactphone", "note"},
        QStringLiteral("startrentdate asc, rentregistryno asc"));
    markLapsed(beside, QStringLiteral("endrentdate"));
    catalog.add(beside);
}

} // namespace cr::rentals_sanctions
