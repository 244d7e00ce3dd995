#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::persons_in_charge {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

void registerBuildingDeanViews(ViewCatalog& catalog);      // building_dean_views.cpp
void registerRegionalManagerViews(ViewCatalog& catalog);   // regional_manager_views.cpp

} // namespace cr::persons_in_charge
