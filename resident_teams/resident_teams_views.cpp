#include "resident_teams/resident_teams_views.h"

#include "frame/view_catalog.h"
#include "resident_teams/scope_views.h"
#include "resident_teams/team_views.h"

namespace cr::resident_teams {

void registerViews(ViewCatalog& catalog)
{
    catalog.add(scopeBuildingView());
    registerTeamViews(catalog);
    registerLeaderViews(catalog);
    registerCoverageViews(catalog);
}

} // namespace cr::resident_teams
