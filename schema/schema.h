#pragma once

#include <QString>
#include <QStringList>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// Version of the database layout this program writes. Recorded in the table
// cr_settings (name 'schema_version'); upgrade() brings older databases here.
int currentVersion();

// Creates every table, view, index and code list on an empty database, all
// or nothing. A database that is not empty (a registry already, or tables of
// something else), or that cannot be read, is refused with the reason
// (inspect() in database_state.h tells these apart beforehand). False with a
// message when something failed (nothing is left).
// Must be called outside a unit of work; on success the connection's
// community number is the one recorded in the new database.
bool create(Sqlca& sqlca, QString* error);

// 0 when the database holds no registry schema.
int version(Sqlca& sqlca);

// Applies the steps from version() to currentVersion(), each in its own
// transaction; never drops data. A step the stored rows do not allow yet
// (a unique index over duplicates) is recorded and completed by a later
// upgrade once they do; otherwise a current database is left as it is.
bool upgrade(Sqlca& sqlca, QString* error);

// Descriptions of recorded steps still waiting for the stored rows.
QStringList waitingSteps(Sqlca& sqlca);

// Reads/writes a value of cr_settings (community number, schema version).
// setSetting() writes inside the connection's unit of work: commit it.
QString setting(Sqlca& sqlca, const QString& name);
bool setSetting(Sqlca& sqlca, const QString& name, const QString& value);

// After a bulk load with explicit key values: moves every database-assigned
// key on past the largest stored key, so that the next insert without a key
// does not collide.
bool resyncKeys(Sqlca& sqlca, QString* error);

} // namespace cr::schema
