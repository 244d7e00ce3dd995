#pragma once

#include "schema/table_decl.h"

namespace cr::schema {

// The layout of version 1, declared as data. Later versions change it only
// through the numbered steps of upgrade_steps.h.

// Tables the module's windows write.
QList<TableDecl> registryTables();
// Tables the module reads but other modules keep (persons, households, their
// houses), the settings table and the code lists.
QList<TableDecl> sharedTables();
QList<TableDecl> allTables();

QList<IndexDecl> baselineIndexes();
QList<ViewDecl> baselineViews();

} // namespace cr::schema
