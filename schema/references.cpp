#include "schema/references.h"

namespace cr::schema {
namespace {

RecordReference refusing(const char* table, const char* column, const char* masterTable, const char* masterColumn,
                         const QString& noun, const QString& measure)
{
    return {QString::fromLatin1(table), QString::fromLatin1(column), QString::fromLatin1(masterTable),
            QString::fromLatin1(masterColumn), noun, measure, false};
}

RecordReference companion(const char* table, const char* column, const char* masterTable, const char* masterColumn)
{
    return {QString::fromLatin1(table), QString::fromLatin1(column), QString::fromLatin1(masterTable),
            QString::fromLatin1(masterColumn), QString(), QString(), true};
}

} // namespace

// A house's rental registration is a record of its own (with dates and a
// contract) and is never deleted along with the house: the clerk deletes it
// first. Persons and households belong to the population module; links to
// them are not declared here.
QList<RecordReference> recordReferences()
{
    return {
        refusing("tc_ge_building", "regionalno", "tc_ge_regionalmanage", "regionalno", QStringLiteral("楼院"),
                 QStringLiteral("个")),
        refusing("tc_ge_regionalmanager", "regionalno", "tc_ge_regionalmanage", "regionalno",
                 QStringLiteral("责任区管理员"), QStringLiteral("名")),
        refusing("tc_og_inhabitantteam", "regionalno", "tc_ge_regionalmanage", "regionalno",
                 QStringLiteral("居民小组"), QStringLiteral("个")),
        refusing("tc_ge_houseinfo", "buildingno", "tc_ge_building", "buildingno", QStringLiteral("房屋"),
                 QStringLiteral("套")),
        refusing("tc_ge_buildingdean", "buildingno", "tc_ge_building", "buildingno", QStringLiteral("楼院长"),
                 QStringLiteral("名")),
        refusing("tc_ge_buildingmanage", "buildingno", "tc_ge_building", "buildingno",
                 QStringLiteral("楼院长管辖范围"), QStringLiteral("条")),
        companion("tc_ge_buildingmanage", "buildingmanagerno", "tc_ge_buildingdean", "buildingmanagerno"),
        refusing("tc_ge_rprownhouse", "houseno", "tc_ge_houseinfo", "houseno", QStringLiteral("住户居住登记"),
                 QStringLiteral("条")),
        refusing("tc_ge_renthousereg", "houseno", "tc_ge_houseinfo", "houseno", QStringLiteral("出租登记"),
                 QStringLiteral("条")),
        refusing("tc_ge_rentregistry", "houseno", "tc_ge_houseinfo", "houseno", QStringLiteral("承租人"),
                 QStringLiteral("名")),
        refusing("tc_ge_punishrecord", "houseno", "tc_ge_houseinfo", "houseno", QStringLiteral("处罚记录"),
                 QStringLiteral("条")),
        companion("tc_og_inhabteamscope", "teamno", "tc_og_inhabitantteam", "teamno"),
        refusing("tc_og_inhabteamleader", "teamno", "tc_og_inhabitantteam", "teamno", QStringLiteral("小组长"),
                 QStringLiteral("名")),
        refusing("tc_ge_rentregistry", "orderno", "tc_ge_renthousereg", "orderno", QStringLiteral("承租人"),
                 QStringLiteral("名")),
        refusing("tc_ge_punishrecord", "houseno", "tc_ge_renthousereg", "houseno", QStringLiteral("处罚记录"),
                 QStringLiteral("条")),
    };
}

} // namespace cr::schema
