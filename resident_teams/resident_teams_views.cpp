#include "resident_teams/resident_teams_views.h"

#include "frame/view_catalog.h"

namespace cr::resident_teams {

void registerViews(ViewCatalog&)
{
}

} // namespace cr::resident_teams
