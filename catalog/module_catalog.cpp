#include "catalog/module_catalog.h"

#include "areas_buildings/areas_buildings_views.h"
#include "areas_buildings/areas_buildings_windows.h"
#include "houses/houses_views.h"
#include "catalog/planned_windows.h"
#include "houses/houses_windows.h"
#include "persons_in_charge/persons_in_charge_views.h"
#include "rentals_sanctions/rentals_sanctions_views.h"
#include "resident_teams/resident_teams_views.h"

namespace cr::catalog {

void registerViews(ViewCatalog& catalog)
{
    areas_buildings::registerViews(catalog);
    houses::registerViews(catalog);
    persons_in_charge::registerViews(catalog);
    resident_teams::registerViews(catalog);
    rentals_sanctions::registerViews(catalog);
}

void registerWindows(WindowRegistry& registry)
{
    areas_buildings::registerWindows(registry);
    houses::registerWindows(registry);
    registerPlannedWindows(registry);
}

} // namespace cr::catalog
