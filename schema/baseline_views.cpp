#include "schema/schema_catalog.h"

namespace cr::schema {

// The counting views the windows read. Persons marked deceased (isdeath
// '1') are no longer counted as members of their household.
QList<ViewDecl> baselineViews()
{
    return {
        // Living persons per household.
        {QStringLiteral("v_tc_ge_personinfo"),
         QStringLiteral("SELECT rprno AS rprno, COUNT(*) AS personnum\n"
                        "FROM tc_ge_personinfo\n"
                        "WHERE rprno IS NOT NULL AND COALESCE(isdeath, '0') <> '1'\n"
                        "GROUP BY rprno")},

        // Buildings per responsibility area; an area without buildings has
        // no row, so a left join from the areas gives an empty count.
        {QStringLiteral("v_ge_regionalbuilding"),
         QStringLiteral("SELECT regionalno AS regionalno, COUNT(*) AS buildingnum\n"
                        "FROM tc_ge_building\n"
                        "WHERE regionalno IS NOT NULL\n"
                        "GROUP BY regionalno")},

        // Households living in the area's houses (each counted once, however
        // many of its houses lie there) and their living persons.
        {QStringLiteral("v_ge_regionalrprperson"),
         QStringLiteral("SELECT households.regionalno AS regionalno, COUNT(*) AS rprnum,\n"
                        "       COALESCE(SUM(persons.personnum), 0) AS personnum\n"
                        "FROM (SELECT DISTINCT b.regionalno AS regionalno, o.rprno AS rprno\n"
                        "      FROM tc_ge_building b\n"
                        "      JOIN tc_ge_houseinfo h ON h.buildingno = b.buildingno\n"
                        "      JOIN tc_ge_rprownhouse o ON o.houseno = h.houseno\n"
                        "      WHERE b.regionalno IS NOT NULL AND o.rprno IS NOT NULL) households\n"
                        "LEFT JOIN v_tc_ge_personinfo persons ON persons.rprno = households.rprno\n"
                        "GROUP BY households.regionalno")},
    };
}

} // namespace cr::schema
