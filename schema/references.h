#pragma once

#include "frame/record_references.h"

namespace cr::schema {

// Every link between the registry's tables by value: what a record's
// deletion checks and what the database guards (the upgrade step that adds
// the guards and the orphan report read the same list).
QList<RecordReference> recordReferences();

} // namespace cr::schema
