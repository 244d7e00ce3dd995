#pragma once

#include "frame/db_target.h"
#include "maintenance/sqlite_backup.h"

#include <QString>

namespace cr::maintenance {

// The kind of backup file, told by its first bytes.
enum class BackupKind { None, Sqlite, PgDump };
BackupKind backupKind(const QString& file);

// Backs up the registry at `target` into `file`: a SQLite registry with the
// engine's online backup (a copy of the database file, safe while the
// application is open), a PostgreSQL one with pg_dump. The backup is written
// beside `file` under another name and takes the name only when complete
// (and, for SQLite, checked), so an existing backup is never half
// overwritten. An existing `file` is replaced only with `overwrite`. The
// backup file is readable by its owner only.
bool backupRegistry(const DbTarget& target, const QString& file, bool overwrite, const PageProgress& progress,
                    QString* error);

// Writes the backup `file` back into the registry at `target`, replacing
// everything there, all or nothing. A SQLite backup goes to a SQLite file
// (which may be new), a pg_dump backup to a PostgreSQL database.
bool restoreRegistry(const DbTarget& target, const QString& file, const PageProgress& progress, QString* error);

} // namespace cr::maintenance
