#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::persons_in_charge {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);

} // namespace cr::persons_in_charge
