#pragma once

#include "frame/dataview_def.h"

namespace cr::fuzz {

// A form of one column per kind, with formats, a drop-down, a tag and a
// conditional colour, not bound to any database.
DataViewDef sampleView();

} // namespace cr::fuzz
