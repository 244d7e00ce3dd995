#pragma once

#include <QString>

// Codes of the registry's lookup lists that the windows give a meaning to
// (the lists themselves are in module_code_lists.cpp).
namespace cr::codes {

// tc_ge_building.roomtype, the building's kind: it decides the form's layout
// and how houses are numbered.
namespace roomtype {
inline const QString multiStorey = QStringLiteral("01");   // doors, floors, houses per floor
inline const QString bungalow = QStringLiteral("02");      // one floor, no doors
inline const QString basement = QStringLiteral("03");      // no floor above ground
} // namespace roomtype

// tc_ge_building.buildinguse: "09" (not a dwelling) makes the counts optional.
namespace buildinguse {
inline const QString notDwelling = QStringLiteral("09");
} // namespace buildinguse

// tc_ge_houseinfo.droittype: private property has an owner on record.
namespace droittype {
inline const QString privateProperty = QStringLiteral("01");
} // namespace droittype

} // namespace cr::codes
