#pragma once

#include <QString>
#include <functional>

namespace cr::maintenance {

// Pages copied so far and the pages of the whole database.
using PageProgress = std::function<void(int done, int total)>;

// Copies the SQLite database in `source` into the SQLite file `destination`
// with the engine's online backup: the copy is the state of the last commit,
// consistent across all tables, also while the application has a write
// transaction open (what that transaction holds is not in the copy). The
// destination is replaced as a whole or, on failure, left as it was; a new
// destination is created 0600. The source is only read.
// `busyMs`: how long to wait for a writer that is committing.
bool copySqliteDatabase(const QString& source, const QString& destination, const PageProgress& progress,
                        QString* error, int busyMs = 10000);

// True when the file begins as every SQLite database does.
bool looksLikeSqliteFile(const QString& path);

// The engine's own check of a database file ("ok" when it is sound).
QString sqliteQuickCheck(const QString& path);

} // namespace cr::maintenance
