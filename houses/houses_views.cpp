#include "houses/houses_views.h"

#include "frame/view_catalog.h"

namespace cr::houses {

void registerViews(ViewCatalog&)
{
}

} // namespace cr::houses
