#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::resident_teams {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

} // namespace cr::resident_teams
