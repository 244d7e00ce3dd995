#include "frame/view_catalog.h"
#include "resident_teams/team_views.h"

namespace cr::resident_teams {
namespace {

ColumnDef count(const char* name, const char* heading)
{
    return ColumnDef{.name = name, .kind = ColumnKind::Integer, .heading = heading, .inForm = false};
}

ColumnDef text(const char* name, const char* heading)
{
    return ColumnDef{.name = name, .heading = heading, .inForm = false};
}

} // namespace

// Both lists are filled by the report window from the coverage report; they
// have no query of their own.
void registerCoverageViews(ViewCatalog& catalog)
{
    DataViewDef areas;
    areas.name = QStringLiteral("d_og_coverage_area");
    areas.title = QStringLiteral("各责任区覆盖情况");
    areas.columns = {text("area", "责任区"),
                     count("houses", "房屋"),
                     count("housesuncovered", "未覆盖房屋"),
                     count("housesshared", "多组房屋"),
                     count("households", "户数"),
                     count("householdsuncovered", "未覆盖户数"),
                     count("householdsshared", "多组户数"),
                     count("personsuncovered", "未覆盖人口"),
                     count("personsshared", "多组人口")};
    catalog.add(areas);

    DataViewDef houses;
    houses.name = QStringLiteral("d_og_coverage_house");
    houses.title = QStringLiteral("未覆盖或多组管辖的房屋");
    houses.keyColumn = QStringLiteral("houseno");
    houses.columns = {text("area", "责任区"), text("house", "房屋"), text("coverage", "管辖情况"),
                      ColumnDef{.name = "houseno", .kind = ColumnKind::Integer, .heading = "房屋编号", .inForm = false}};
    catalog.add(houses);
}

} // namespace cr::resident_teams
