#include "houses/houses_views.h"

namespace cr::houses {

void registerHouseViews(ViewCatalog& catalog);

void registerViews(ViewCatalog& catalog)
{
    registerHouseViews(catalog);
    registerBatchViews(catalog);
}

} // namespace cr::houses
