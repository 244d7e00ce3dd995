#include "persons_in_charge/persons_in_charge_views.h"

#include "frame/view_catalog.h"

namespace cr::persons_in_charge {

void registerViews(ViewCatalog&)
{
}

} // namespace cr::persons_in_charge
