#pragma once

#include "frame/dataview_def.h"

namespace cr::resident_teams {

DataViewDef scopeBuildingView();   // dw_ge_building

} // namespace cr::resident_teams
