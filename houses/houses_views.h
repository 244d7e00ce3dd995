#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::houses {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

} // namespace cr::houses
