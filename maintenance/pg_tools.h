#pragma once

#include "frame/db_target.h"

#include <QString>

namespace cr::maintenance {

// The backup of a PostgreSQL registry is made and read back by the server's
// own tools (package postgresql-client, the server's version or newer):
// pg_dump writes one file in its custom format, pg_restore replaces the
// registry's tables with the file's. Passwords come from PGPASSWORD or
// ~/.pgpass, as for every connection of this program.

// Writes the whole database (or, with target.schema, that schema) to `file`.
bool pgDump(const DbTarget& target, const QString& file, QString* error);

// Restores `file` into the database, in one transaction: the registry's
// tables are dropped and written again; on an error nothing changes.
bool pgRestore(const DbTarget& target, const QString& file, QString* error);

} // namespace cr::maintenance
