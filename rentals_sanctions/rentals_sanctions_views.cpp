#include "rentals_sanctions/rentals_sanctions_views.h"

#include "rentals_sanctions/rental_views.h"

namespace cr::rentals_sanctions {

void registerViews(ViewCatalog& catalog)
{
    registerRentalHouseViews(catalog);
    registerTenantViews(catalog);
    registerSanctionViews(catalog);
}

} // namespace cr::rentals_sanctions
