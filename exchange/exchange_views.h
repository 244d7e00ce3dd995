#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::exchange {

// Lists of what the import brings in, with the import tables' headings, so
// that an exported list can be corrected and imported again:
// d_ge_personinfo (persons), d_ge_rpr (households), d_ge_rprownhouse
// (which household lives in which house).
void registerViews(ViewCatalog& catalog);

} // namespace cr::exchange
