#pragma once

#include "frame/db_target.h"
#include "frame/sqlca.h"

#include <QString>
#include <functional>
#include <memory>

namespace cr::app {

// Percent done and the step being worked on, while a new database is filled.
using SetupProgress = std::function<void(int percent, const QString& step)>;

// The registry in the user's data folder (~/.local/share/community-registry/,
// made readable by its owner only), used when no database is named.
QString defaultDatabasePath();

// Opens the registry at `target`: creates the tables in an empty database,
// upgrades an older one, and reads the community number. The registry in the
// user's data folder is filled with the small demo community the first time.
// `password` (PostgreSQL only, may be empty) is handed to this one
// connection attempt and kept nowhere. nullptr with a Chinese message when
// the database cannot be used; a new SQLite file is then removed again. A
// new file is readable and writable by its owner only.
std::unique_ptr<Sqlca> openRegistry(const DbTarget& target, const QString& password, QString* error,
                                    const SetupProgress& progress = {});

// The same for a command-line argument (a file or a postgresql:// URI);
// empty means the registry in the user's data folder.
// A new, empty registry of this office in a new file: the structure, the
// community number and its name. nullptr with a message; no file is left.
std::unique_ptr<Sqlca> createCommunityRegistry(const QString& path, const QString& commNo, const QString& name,
                                               QString* error);

std::unique_ptr<Sqlca> openOrCreate(const QString& dbArgument, QString* error, const SetupProgress& progress = {});

} // namespace cr::app
