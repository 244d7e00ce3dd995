#include "areas_buildings/areas_buildings_views.h"

#include "frame/view_catalog.h"

namespace cr::areas_buildings {

void registerViews(ViewCatalog&)
{
}

} // namespace cr::areas_buildings
