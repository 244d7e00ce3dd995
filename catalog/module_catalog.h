#pragma once

namespace cr {
class ViewCatalog;
class WindowRegistry;
}

namespace cr::catalog {

// Every data view of the module, by name.
void registerViews(ViewCatalog& catalog);

// Every window of the module, by name, in the order the navigation lists
// them (windows still to come included, without a factory): the desktop
// shell and the scenario player open windows only through this registry,
// and the navigation and the help are read from it.
void registerWindows(WindowRegistry& registry);

} // namespace cr::catalog
