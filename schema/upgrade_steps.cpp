#include "schema/upgrade_steps.h"

#include "schema/ddl_builder.h"
#include "schema/house_duplicates.h"
#include "schema/reference_guards.h"

namespace cr::schema {
namespace {

// Version 2: the person-selection dialog searches persons by name and by
// ID number.
QStringList personSearchIndexes(const Dialect& dialect)
{
    const DdlBuilder ddl(dialect);
    return {ddl.createIndex({QStringLiteral("ix_personinfo_name"), QStringLiteral("tc_ge_personinfo"),
                             {QStringLiteral("personname")}}),
            ddl.createIndex({QStringLiteral("ix_personinfo_idcard"), QStringLiteral("tc_ge_personinfo"),
                             {QStringLiteral("idcard")}})};
}

// Version 3: living persons are counted per household from an index that
// holds the household number and the deceased mark, without reading the
// person rows. The area counts count each household's persons directly
// instead of grouping the whole person table first (same results; one area
// no longer costs as much as all of them).
QStringList livingPersonCounts(const Dialect&)
{
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS ix_personinfo_rpr_living ON tc_ge_personinfo (rprno, isdeath)"),
            QStringLiteral("DROP VIEW IF EXISTS v_ge_regionalrprperson"),
            QStringLiteral(
                "CREATE VIEW v_ge_regionalrprperson AS\n"
                "SELECT households.regionalno AS regionalno, COUNT(*) AS rprnum,\n"
                "       COALESCE(SUM((SELECT COUNT(*) FROM tc_ge_personinfo p\n"
                "                     WHERE p.rprno = households.rprno AND COALESCE(p.isdeath, '0') <> '1')), 0)\n"
                "         AS personnum\n"
                "FROM (SELECT DISTINCT b.regionalno AS regionalno, o.rprno AS rprno\n"
                "      FROM tc_ge_building b\n"
                "      JOIN tc_ge_houseinfo h ON h.buildingno = b.buildingno\n"
                "      JOIN tc_ge_rprownhouse o ON o.houseno = h.houseno\n"
                "      WHERE b.regionalno IS NOT NULL AND o.rprno IS NOT NULL) households\n"
                "GROUP BY households.regionalno")};
}

// Version 4: a house number once per building and door, whoever stores it
// (two clerks generating one building at the same time stored every house
// twice). Waits while stored duplicates exist: `upgrade` lists them.
QStringList uniqueHouseNumbers(const Dialect&)
{
    return {uniqueHouseIndex()};
}

bool houseDuplicatesRemain(Sqlca& sqlca)
{
    const auto found = duplicateHouses(sqlca, nullptr);
    return !found || !found->isEmpty();
}

// Version 6: a building's houses are read door by door, floor by floor,
// number by number (the batch window's grid, the generation); with the floor
// in the door index the engine reads them in that order instead of sorting
// them for every read. The door index and the links' house index also carry
// the key the next step of a count needs (house, household), so that the
// scope count reads indexes alone.
QStringList houseOrderIndex(const Dialect& dialect)
{
    const DdlBuilder ddl(dialect);
    auto col = [](const char* name) { return QString::fromLatin1(name); };
    return {QStringLiteral("DROP INDEX IF EXISTS ix_houseinfo_door"),
            ddl.createIndex({col("ix_houseinfo_door"), col("tc_ge_houseinfo"),
                             {col("buildingno"), col("unitno"), col("floorno"), col("housenumber"), col("houseno")}}),
            QStringLiteral("DROP INDEX IF EXISTS ix_rprownhouse_house"),
            ddl.createIndex({col("ix_rprownhouse_house"), col("tc_ge_rprownhouse"), {col("houseno"), col("rprno")}})};
}

} // namespace

const QList<UpgradeStep>& upgradeSteps()
{
    static const QList<UpgradeStep> steps{
        {2, "indexes for the person search by name and ID number", &personSearchIndexes},
        {3, "living persons per household from an index; area counts without grouping all persons",
         &livingPersonCounts},
        {4, "house numbers unique per building and door", &uniqueHouseNumbers, &houseDuplicatesRemain},
        // The database itself refuses a row naming a record that does not
        // exist and the deletion of a record still named, whichever program
        // writes. Rows stored before stay (the upgrade lists them).
        {5, "links between the tables guarded by the database", &referenceGuards},
        {6, "houses read in door, floor and number order; scope counts from indexes alone", &houseOrderIndex},
    };
    return steps;
}

} // namespace cr::schema
