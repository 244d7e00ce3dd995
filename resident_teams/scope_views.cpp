#include "resident_teams/scope_views.h"


namespace cr::resident_teams {

// dw_ge_building: every building with its area's name, the source of the
// scope tree's top level. The tree reads houses and household links with
// queries of its own (only the columns it shows, grouped once in memory).
DataViewDef scopeBuildingView()
{
    struct Col {
        const char* name;
        ColumnKind kind;
        const char* table;
    };
    const Col cols[] = {
        {"commno", ColumnKind::Text, "tc_ge_building"},          {"buildingno", ColumnKind::Integer, "tc_ge_building"},
        {"regionalno", ColumnKind::Integer, "tc_ge_building"},   {"address", ColumnKind::Text, "tc_ge_building"},
        {"buildingname", ColumnKind::Text, "tc_ge_building"},    {"roomtype", ColumnKind::Text, "tc_ge_building"},
        {"upfloornum", ColumnKind::Integer, "tc_ge_building"},   {"downfloornum", ColumnKind::Integer, "tc_ge_building"},
        {"buildingstruture", ColumnKind::Text, "tc_ge_building"}, {"buildingarea", ColumnKind::Decimal, "tc_ge_building"},
        {"floorhouesnum", ColumnKind::Integer, "tc_ge_building"}, {"housenum", ColumnKind::Integer, "tc_ge_building"},
        {"unitnum", ColumnKind::Integer, "tc_ge_building"},      {"issave", ColumnKind::Text, "tc_ge_building"},
        {"regionalname", ColumnKind::Text, "tc_ge_regionalmanage"},
    };
    DataViewDef d;
    d.name = QStringLiteral("dw_ge_building");
    d.title = QStringLiteral("楼院");
    QStringList select;
    for (const Col& c : cols) {
        select << QStringLiteral("%1.%2 AS %2").arg(QLatin1String(c.table), QLatin1String(c.name));
        d.columns << ColumnDef{.name = c.name, .kind = c.kind, .inForm = false};
    }
    // In key order: the tree lists buildings in the order they were registered.
    d.sql = QStringLiteral("SELECT %1 FROM tc_ge_building LEFT OUTER JOIN tc_ge_regionalmanage "
                           "ON tc_ge_regionalmanage.regionalno = tc_ge_building.regionalno "
                           "ORDER BY tc_ge_building.buildingno")
                .arg(select.join(QStringLiteral(", ")));
    return d;
}

} // namespace cr::resident_teams
