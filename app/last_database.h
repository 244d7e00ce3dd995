#pragma once

#include "frame/db_target.h"

#include <optional>

class QSettings;

namespace cr::app {

// The registry used last, reopened at the next start. Only where it is is
// kept (file, or server, port, user and database name); a password never.
void rememberDatabase(QSettings& settings, const DbTarget& target);
std::optional<DbTarget> rememberedDatabase(QSettings& settings);

} // namespace cr::app
