#include "schema/schema_catalog.h"

namespace cr::schema {
namespace {

constexpr int kCommNo = 20;
constexpr int kCode = 20;          // code columns: tcode of tc_codelist
constexpr int kPersonNo = 30;
constexpr int kName = 100;
constexpr int kAddress = 200;
constexpr int kPhone = 40;
constexpr int kScope = 4000;       // the team window cuts scope texts to 4000 characters

ColumnDecl code(const QString& name) { return textColumn(name, kCode); }
ColumnDecl yesNo(const QString& name) { return textColumn(name, 1); }   // "1" yes, "0" no

// issave, note and prepare1..prepare6 close every table a register window edits.
QList<ColumnDecl> withRecordColumns(QList<ColumnDecl> columns)
{
    columns << textColumn(QStringLiteral("issave"), 1) << textColumn(QStringLiteral("note"), 500);
    for (int i = 1; i <= 6; ++i) columns << textColumn(QStringLiteral("prepare%1").arg(i), 100);
    return columns;
}

} // namespace

QList<TableDecl> registryTables()
{
    const ColumnDecl commno = textColumn(QStringLiteral("commno"), kCommNo);
    QList<TableDecl> t;

    t << TableDecl{QStringLiteral("tc_ge_regionalmanage"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("regionalno")),
                                      textColumn(QStringLiteral("regionalname"), kName)})};

    t << TableDecl{QStringLiteral("tc_ge_building"),
                   withRecordColumns({commno,
                                      keyColumn(QStringLiteral("buildingno")),
                                      integerColumn(QStringLiteral("regionalno")),
                                      textColumn(QStringLiteral("address"), kAddress),
                                      textColumn(QStringLiteral("buildingname"), kName),
                                      code(QStringLiteral("roomtype")),
                                      code(QStringLiteral("buildinguse")),
                                      integerColumn(QStringLiteral("fixedyear")),   // read as a number by the checks
                                      integerColumn(QStringLiteral("upfloornum")),
                                      integerColumn(QStringLiteral("downfloornum")),
                                      code(QStringLiteral("buildingstruture")),
                                      decimalColumn(QStringLiteral("buildingarea"), 14, 2),
                                      integerColumn(QStringLiteral("floorhouesnum")),
                                      integerColumn(QStringLiteral("housenum")),
                                      integerColumn(QStringLiteral("unitnum")),
                                      yesNo(QStringLiteral("istoilet")),
                                      yesNo(QStringLiteral("iswaterdispart")),
                                      yesNo(QStringLiteral("isammeterdispart"))})};

    t << TableDecl{QStringLiteral("tc_ge_houseinfo"),
                   withRecordColumns({commno,
                                      keyColumn(QStringLiteral("houseno")),
                                      integerColumn(QStringLiteral("buildingno")),
                                      integerColumn(QStringLiteral("unitno")),
                                      textColumn(QStringLiteral("unitname"), 40),
                                      integerColumn(QStringLiteral("floorno")),
                                      textColumn(QStringLiteral("housenumber"), 40),
                                      decimalColumn(QStringLiteral("housearea"), 12, 2),
                                      code(QStringLiteral("buildingmodel")),
                                      code(QStringLiteral("houseuse")),
                                      yesNo(QStringLiteral("isrent")),
                                      code(QStringLiteral("droittype")),
                                      textColumn(QStringLiteral("houserownername"), kName),
                                      textColumn(QStringLiteral("contactphone"), kPhone),
                                      textColumn(QStringLiteral("personno"), kPersonNo)})};

    t << TableDecl{QStringLiteral("tc_ge_buildingdean"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("buildingmanagerno")),
                                      integerColumn(QStringLiteral("buildingno")),
                                      textColumn(QStringLiteral("personno"), kPersonNo), code(QStringLiteral("duty"))})};

    // The range of a dean: one row per dean and building, written by the dean window.
    t << TableDecl{QStringLiteral("tc_ge_buildingmanage"),
                   {commno, {QStringLiteral("buildingmanagerno"), ColumnType::Integer, 0, 0, true},
                    {QStringLiteral("buildingno"), ColumnType::Integer, 0, 0, true},
                    textColumn(QStringLiteral("scopename"), kScope), textColumn(QStringLiteral("scopecode"), kScope),
                    textColumn(QStringLiteral("issave"), 1)},
                   {QStringLiteral("buildingmanagerno"), QStringLiteral("buildingno")}};

    t << TableDecl{QStringLiteral("tc_ge_regionalmanager"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("orderno")),
                                      integerColumn(QStringLiteral("regionalno")),
                                      textColumn(QStringLiteral("personno"), kPersonNo)})};

    t << TableDecl{QStringLiteral("tc_og_inhabitantteam"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("teamno")),
                                      integerColumn(QStringLiteral("regionalno")),
                                      textColumn(QStringLiteral("orgname"), kName)})};

    // One scope row per team.
    t << TableDecl{QStringLiteral("tc_og_inhabteamscope"),
                   {commno, {QStringLiteral("teamno"), ColumnType::Integer, 0, 0, true},
                    textColumn(QStringLiteral("scopename"), kScope), textColumn(QStringLiteral("scopecode"), kScope),
                    integerColumn(QStringLiteral("rprnum")), integerColumn(QStringLiteral("personnum")),
                    textColumn(QStringLiteral("issave"), 1)},
                   {QStringLiteral("teamno")}};

    t << TableDecl{QStringLiteral("tc_og_inhabteamleader"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("orderno")), integerColumn(QStringLiteral("teamno")),
                                      textColumn(QStringLiteral("personno"), kPersonNo)})};

    // At most one rental registration per house.
    t << TableDecl{QStringLiteral("tc_ge_renthousereg"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("orderno")), integerColumn(QStringLiteral("houseno")),
                                      code(QStringLiteral("transfertype")), code(QStringLiteral("houseuse")),
                                      dateColumn(QStringLiteral("startrentdate")), dateColumn(QStringLiteral("endrentdate")),
                                      yesNo(QStringLiteral("issigndutybook")), yesNo(QStringLiteral("isconsignrent"))}),
                   {},
                   {{QStringLiteral("houseno")}}};

    // Tenants: a key of their own; orderno is the rental record they belong
    // to, and a tenant appears once per rental record.
    t << TableDecl{QStringLiteral("tc_ge_rentregistry"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("rentregistryno")),
                                      integerColumn(QStringLiteral("orderno")), integerColumn(QStringLiteral("houseno")),
                                      code(QStringLiteral("houseuse")), dateColumn(QStringLiteral("startrentdate")),
                                      dateColumn(QStringLiteral("endrentdate")),
                                      textColumn(QStringLiteral("personno"), kPersonNo),
                                      integerColumn(QStringLiteral("personnum"))}),
                   {},
                   {{QStringLiteral("orderno"), QStringLiteral("personno")}}};

    t << TableDecl{QStringLiteral("tc_ge_punishrecord"),
                   withRecordColumns({commno, keyColumn(QStringLiteral("orderno")), integerColumn(QStringLiteral("houseno")),
                                      dateColumn(QStringLiteral("progdate")), code(QStringLiteral("progcause")),
                                      code(QStringLiteral("progresult"))})};
    return t;
}

} // namespace cr::schema
