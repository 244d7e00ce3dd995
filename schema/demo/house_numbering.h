#pragma once

#include <QString>

namespace cr::demo {

// House numbers as the office writes them on the doors, so that demo houses
// look like the ones the batch window generates.
class HouseNumbering {
public:
    // Multi-storey rule of the batch generation: the floor padded with '0' to
    // the digits of the floor count (left out in a one-storey building), the
    // house padded to the digits of the houses per floor but at least two,
    // then "室". (6, 2, 3, 2) -> "302室"; (12, 4, 3, 1) -> "0301室".
    static QString batch(int floorCount, int housesPerFloor, int floor, int house);

    // A basement room: "地下" + level below ground + house (at least two
    // digits) + "室"; (1, 12, 3) -> "地下103室".
    static QString basement(int levelBelow, int housesPerFloor, int house);

    // A house of a bungalow compound: its ordinal in plain digits.
    static QString bungalow(int house) { return QString::number(house); }
};

} // namespace cr::demo
