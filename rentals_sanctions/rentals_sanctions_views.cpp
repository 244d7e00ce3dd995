#include "rentals_sanctions/rentals_sanctions_views.h"

#include "frame/view_catalog.h"

namespace cr::rentals_sanctions {

void registerViews(ViewCatalog&)
{
}

} // namespace cr::rentals_sanctions
