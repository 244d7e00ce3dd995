#pragma once

#include <QList>
#include <QStringList>

namespace cr {
class Dialect;
}

namespace cr::schema {

// One numbered change of the layout. A step only adds (tables, columns,
// indexes, views, code list entries) or reshapes without losing rows; it
// never drops data.
struct UpgradeStep {
    int version;                                  // the database's version after the step
    const char* description;
    QStringList (*statements)(const Dialect&);    // engine SQL, run in order
};

// Every step after version 1, in ascending order.
const QList<UpgradeStep>& upgradeSteps();

} // namespace cr::schema
