#include "schema/schema_catalog.h"

namespace cr::schema {

// Indexes for the lookups the windows repeat: uniqueness counts by name,
// houses of a building / door / floor, household links both ways, persons
// of a household, persons in charge by their parent record.
QList<IndexDecl> baselineIndexes()
{
    auto ix = [](const char* name, const char* table, QStringList columns) {
        return IndexDecl{QString::fromLatin1(name), QString::fromLatin1(table), std::move(columns)};
    };
    return {
        ix("ix_regionalmanage_name", "tc_ge_regionalmanage", {QStringLiteral("regionalname")}),
        ix("ix_building_regional", "tc_ge_building", {QStringLiteral("regionalno")}),
        ix("ix_building_name", "tc_ge_building", {QStringLiteral("buildingname")}),
        ix("ix_building_address", "tc_ge_building", {QStringLiteral("address")}),
        ix("ix_houseinfo_door", "tc_ge_houseinfo",
           {QStringLiteral("buildingno"), QStringLiteral("unitno"), QStringLiteral("housenumber")}),
        ix("ix_houseinfo_floor", "tc_ge_houseinfo", {QStringLiteral("buildingno"), QStringLiteral("floorno")}),
        ix("ix_rprownhouse_house", "tc_ge_rprownhouse", {QStringLiteral("houseno")}),
        ix("ix_rprownhouse_rpr", "tc_ge_rprownhouse", {QStringLiteral("rprno")}),
        ix("ix_personinfo_rpr", "tc_ge_personinfo", {QStringLiteral("rprno")}),
        ix("ix_buildingdean_person", "tc_ge_buildingdean", {QStringLiteral("buildingno"), QStringLiteral("personno")}),
        ix("ix_regionalmanager_person", "tc_ge_regionalmanager",
           {QStringLiteral("regionalno"), QStringLiteral("personno")}),
        ix("ix_inhabitantteam_name", "tc_og_inhabitantteam", {QStringLiteral("orgname")}),
        ix("ix_inhabteamleader_person", "tc_og_inhabteamleader", {QStringLiteral("teamno"), QStringLiteral("personno")}),
        ix("ix_rentregistry_house", "tc_ge_rentregistry", {QStringLiteral("houseno")}),
        ix("ix_punishrecord_house", "tc_ge_punishrecord", {QStringLiteral("houseno")}),
    };
}

} // namespace cr::schema
