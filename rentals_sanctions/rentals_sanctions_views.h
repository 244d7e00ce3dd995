#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::rentals_sanctions {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

} // namespace cr::rentals_sanctions
