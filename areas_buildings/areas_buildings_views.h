#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::areas_buildings {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

} // namespace cr::areas_buildings
