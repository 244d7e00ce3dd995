#pragma once

#include <QList>
#include <QStringList>

namespace cr {
class Dialect;
class Sqlca;
}

namespace cr::schema {

// One numbered change of the layout. A step only adds (tables, columns,
// indexes, views, code list entries) or reshapes without losing rows; it
// never drops data. Every statement must also pass over a database that
// already has its change (CREATE ... IF NOT EXISTS, DdlBuilder::createIndex):
// a recorded version can lag behind the real structure, after a restore or
// a copy made by hand.
struct UpgradeStep {
    int version;                                  // the database's version after the step
    const char* description;
    QStringList (*statements)(const Dialect&);    // engine SQL, run in order
    // For a step the stored rows may not allow yet (a unique index over
    // duplicates that only the office can resolve): true while they do not.
    // The step is then recorded without its statements, and every later
    // upgrade runs them once the rows allow it; its statements must be
    // idempotent. nullptr for steps that always run.
    bool (*waitsForData)(Sqlca&) = nullptr;
};

// Every step after version 1, in ascending order.
const QList<UpgradeStep>& upgradeSteps();

} // namespace cr::schema
