#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::catalog {

// Every data view of the module, by name.
void registerViews(ViewCatalog& catalog);

} // namespace cr::catalog
