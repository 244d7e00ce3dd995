#pragma once

#include <QString>

namespace cr::areas_buildings {

// Codes of tc_ge_building.roomtype (building kind) and buildinguse that the
// building register gives a meaning to.
namespace kind {
inline const QString multiStorey = QStringLiteral("01");
inline const QString bungalow = QStringLiteral("02");
inline const QString basement = QStringLiteral("03");
} // namespace kind

// Use "09" makes the floor, door and houses-per-floor counts optional.
inline const QString countsOptionalUse = QStringLiteral("09");

// Window modes as the frame keeps them in is_stringparm / message.stringParm.
inline const QString modeAdd = QStringLiteral("添加");
inline const QString modeModify = QStringLiteral("修改");

} // namespace cr::areas_buildings
