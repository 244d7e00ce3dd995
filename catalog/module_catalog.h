#pragma once

namespace cr {
class ViewCatalog;
class WindowRegistry;
}

namespace cr::catalog {

// Every data view of the module, by name.
void registerViews(ViewCatalog& catalog);

// Every window of the module, by name: the desktop shell and the scenario
// player open windows only through this registry.
void registerWindows(WindowRegistry& registry);

} // namespace cr::catalog
