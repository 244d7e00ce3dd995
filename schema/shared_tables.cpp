#include "schema/schema_catalog.h"

namespace cr::schema {
namespace {

constexpr int kCode = 20;
constexpr int kPersonNo = 30;
constexpr int kRprNo = 30;
constexpr int kAddress = 200;

ColumnDecl code(const QString& name) { return textColumn(name, kCode); }

} // namespace

QList<TableDecl> sharedTables()
{
    const ColumnDecl commno = textColumn(QStringLiteral("commno"), 20);
    QList<TableDecl> t;

    // Named values of this database: schema_version, commno (the office's community number).
    t << TableDecl{QStringLiteral("cr_settings"),
                   {textColumn(QStringLiteral("name"), 40, true), textColumn(QStringLiteral("value"), 200)},
                   {QStringLiteral("name")}};

    // Every dddw_ lookup list that is not a query over the module's own tables.
    t << TableDecl{QStringLiteral("tc_codelist"),
                   {textColumn(QStringLiteral("listname"), 40, true), textColumn(QStringLiteral("tcode"), kCode, true),
                    textColumn(QStringLiteral("tname"), 100), integerColumn(QStringLiteral("sortno"))},
                   {QStringLiteral("listname"), QStringLiteral("tcode")}};

    // Persons, kept by the population module. countrycode and idcardtype are
    // columns the person-selection dialog copies into the house register.
    t << TableDecl{QStringLiteral("tc_ge_personinfo"),
                   {commno,
                    textColumn(QStringLiteral("personno"), kPersonNo, true),
                    textColumn(QStringLiteral("personname"), 50),
                    code(QStringLiteral("idcardtype")),
                    textColumn(QStringLiteral("idcard"), 30),
                    code(QStringLiteral("sex")),
                    dateColumn(QStringLiteral("birthdate")),
                    code(QStringLiteral("countrycode")),
                    code(QStringLiteral("rprtype")),
                    code(QStringLiteral("rprstatus")),
                    textColumn(QStringLiteral("rpraddr"), kAddress),
                    textColumn(QStringLiteral("rprno"), kRprNo),
                    code(QStringLiteral("nationality")),
                    code(QStringLiteral("polity")),
                    textColumn(QStringLiteral("contactphone"), 40),
                    code(QStringLiteral("edulevel")),
                    textColumn(QStringLiteral("presentaddr1"), kAddress),
                    code(QStringLiteral("personkind")),
                    textColumn(QStringLiteral("isdeath"), 1)},
                   {QStringLiteral("personno")}};

    t << TableDecl{QStringLiteral("tc_ge_personotherinfo"),
                   {commno, textColumn(QStringLiteral("personno"), kPersonNo, true),
                    textColumn(QStringLiteral("isvolunteer"), 1)},
                   {QStringLiteral("personno")}};

    t << TableDecl{QStringLiteral("tc_ge_rpr"),
                   {commno, textColumn(QStringLiteral("rprno"), kRprNo, true), textColumn(QStringLiteral("hostname"), 50),
                    textColumn(QStringLiteral("rpraddr"), kAddress)},
                   {QStringLiteral("rprno")}};

    // Which household lives in which house.
    t << TableDecl{QStringLiteral("tc_ge_rprownhouse"),
                   {commno, keyColumn(QStringLiteral("orderno")), textColumn(QStringLiteral("rprno"), kRprNo),
                    integerColumn(QStringLiteral("houseno")), code(QStringLiteral("housingkind")),
                    textColumn(QStringLiteral("issave"), 1)}};
    return t;
}

QList<TableDecl> allTables()
{
    return sharedTables() + registryTables();
}

} // namespace cr::schema
