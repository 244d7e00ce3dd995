#pragma once

#include "frame/record_references.h"

#include <QStringList>

namespace cr {

// The two engines' ways of guarding a link (Dialect::referenceGuard).
// SQLite: triggers, which also work on tables created without foreign keys
// and need no rebuilding of a stored table.
QStringList sqliteReferenceGuard(const RecordReference& reference, const QString& name);
// PostgreSQL: a foreign key, NOT VALID while stored rows would violate it.
QStringList postgresReferenceGuard(const RecordReference& reference, const QString& name);

// Words of the engines' refusals by a guard, recognised by DbError.
inline constexpr char kGuardMissingMaster[] = "names no row of";
inline constexpr char kGuardStillReferenced[] = "still referred to by";

} // namespace cr
