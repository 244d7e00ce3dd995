#pragma once

#include "frame/dataview_def.h"

#include <QStringList>

namespace cr {
class ViewCatalog;
}

namespace cr::resident_teams {

// d_og_inhabitantteam (the list, with the summary of both counts) and
// d_og_inhabitantteam_f (the form).
void registerTeamViews(ViewCatalog& catalog);
// d_og_inhabteamleader (living leaders only) and d_og_inhabteamleader_f.
void registerLeaderViews(ViewCatalog& catalog);
// The coverage report's lists, filled by its window: d_og_coverage_area
// (per area, a total line last) and d_og_coverage_house (houses no team or
// several teams cover).
void registerCoverageViews(ViewCatalog& catalog);

// Lists the columns named in `order`, in that order; the view keeps the
// others without listing them.
void listInOrder(DataViewDef& list, const QStringList& order);

} // namespace cr::resident_teams
