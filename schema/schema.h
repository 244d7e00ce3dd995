#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// Version of the database layout this program writes. Recorded in the table
// cr_settings (name 'schema_version'); upgrade() brings older databases here.
int currentVersion();

// Creates every table, view, index and code list on an empty database, all
// or nothing. False with a message when something failed (nothing is left).
bool create(Sqlca& sqlca, QString* error);

// 0 when the database holds no registry schema.
int version(Sqlca& sqlca);

// Applies the steps from version() to currentVersion(); never drops data.
bool upgrade(Sqlca& sqlca, QString* error);

// Reads/writes a value of cr_settings (community number, schema version).
QString setting(Sqlca& sqlca, const QString& name);
bool setSetting(Sqlca& sqlca, const QString& name, const QString& value);

} // namespace cr::schema
