#include "persons_in_charge/persons_in_charge_views.h"

namespace cr::persons_in_charge {

void registerViews(ViewCatalog& catalog)
{
    registerBuildingDeanViews(catalog);
    registerRegionalManagerViews(catalog);
}

} // namespace cr::persons_in_charge
