#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::houses {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);
// The batch window's views alone (its building list and form, the house
// grid): what the command-line generation and deletion read.
void registerBatchViews(ViewCatalog& catalog);

} // namespace cr::houses
