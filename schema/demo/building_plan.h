#pragma once

#include <QString>

namespace cr::demo {

enum class BuildingKind { MultiStorey, Bungalow, Basement };

// One demo building before it is written: its identity and the counts its
// houses are made from.
struct BuildingPlan {
    BuildingKind kind = BuildingKind::MultiStorey;
    int areaIndex = 0;          // into the area names
    QString name;               // unique: "和平小区3号楼"
    QString address;            // unique: "和平路12号"
    int upFloors = 0;
    int downFloors = 0;
    int units = 0;              // doors (units); 0 outside multi-storey buildings
    int housesPerFloor = 0;     // per door and floor; houses of a bungalow compound
    int basementRooms = 0;      // rooms of a basement, all on level 1 below ground
    int fixedYear = 0;
    int minHouseArea = 40;      // square metres, range of the houses' areas
    int maxHouseArea = 90;

    QString roomType() const
    {
        switch (kind) {
        case BuildingKind::MultiStorey: return QStringLiteral("01");
        case BuildingKind::Bungalow: return QStringLiteral("02");
        case BuildingKind::Basement: return QStringLiteral("03");
        }
        return {};
    }

    int houseCount() const
    {
        switch (kind) {
        case BuildingKind::MultiStorey: return units * upFloors * housesPerFloor;
        case BuildingKind::Bungalow: return housesPerFloor;
        case BuildingKind::Basement: return basementRooms;
        }
        return 0;
    }
};

} // namespace cr::demo
