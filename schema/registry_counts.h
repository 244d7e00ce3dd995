#pragma once

#include <QList>
#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// One figure of the registry as the start page shows it.
struct RegistryCount {
    QString label;    // "楼院"
    QString unit;     // "座"
    qlonglong count = 0;
};

// How much the registry holds: areas, buildings, houses, households,
// persons, resident teams and rented houses, in that order. A count that
// cannot be read is 0.
QList<RegistryCount> registryCounts(Sqlca& sqlca);

} // namespace cr::schema
