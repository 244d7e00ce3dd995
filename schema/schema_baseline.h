#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// The community number a new database starts with (demo data or the
// administrator may change it in cr_settings).
QString defaultCommNo();

// Builds the layout of version 1 — tables, indexes, views, code lists and
// settings — inside the caller's unit of work. Commits nothing; the caller
// commits or rolls back the whole.
bool createBaseline(Sqlca& sqlca, QString* error);

} // namespace cr::schema
