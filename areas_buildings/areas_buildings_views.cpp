#include "areas_buildings/areas_buildings_views.h"

namespace cr::areas_buildings {

void registerAreaViews(ViewCatalog& catalog);
void registerBuildingViews(ViewCatalog& catalog);

void registerViews(ViewCatalog& catalog)
{
    registerAreaViews(catalog);
    registerBuildingViews(catalog);
}

} // namespace cr::areas_buildings
