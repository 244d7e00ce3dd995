#pragma once

#include "frame/sqlca.h"

#include <QString>
#include <memory>

namespace cr::app {

// The database the application works on: the one named by --db, or the
// embedded registry in the user's data folder, created with the demo
// community on first start.
QString defaultDatabasePath();
std::unique_ptr<Sqlca> openOrCreate(const QString& dbArgument, QString* error);

} // namespace cr::app
