#pragma once

namespace cr {
class ViewCatalog;
}

namespace cr::rentals_sanctions {

// d_ge_renthousereg and d_ge_renthousereg_f: rented houses.
void registerRentalHouseViews(ViewCatalog& catalog);
// d_ge_rentregistry and d_ge_rentregistry_f: tenants; d_ge_rentregistry_house,
// the tenants beside a registration's form.
void registerTenantViews(ViewCatalog& catalog);
// d_ge_punishrecord and d_ge_punishrecord_f: sanctions; d_ge_punishrecord_house,
// the sanctions beside a registration's form.
void registerSanctionViews(ViewCatalog& catalog);

} // namespace cr::rentals_sanctions
