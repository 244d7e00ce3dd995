#pragma once

#include "schema/table_spec.h"

namespace cr::schema {

// The layout of version 1, declared as data. Later versions change it only
// through the numbered steps of upgrade_steps.h.

// Tables the module's windows write.
QList<TableSpec> registryTables();
// Tables the module reads but other modules keep (persons, households, their
// houses), the settings table and the code lists.
QList<TableSpec> sharedTables();
QList<TableSpec> allTables();

QList<IndexSpec> baselineIndexes();
QList<ViewSpec> baselineViews();

} // namespace cr::schema
