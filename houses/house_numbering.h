#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace cr {
class DataView;
}

namespace cr::houses {

// One entry of the house-number drop-down of the house register.
struct FloorHouseNumber {
    int floor = 0;
    QString number;

    bool operator==(const FloorHouseNumber&) const = default;
};

// The two house-number rules of the office. They differ on purpose and must
// stay apart: the batch generation pads the floor to the digits of the floor
// count and leaves it out of one-storey buildings; the register's drop-down
// writes the floor as it is and prefixes basement floors with 地下.
class HouseNumbering {
public:
    // Batch rule (wf_homeno): floor part + house part + "室".
    // (6, 2, 3, 2) -> "302室"; (12, 4, 3, 1) -> "0301室"; (1, 3, 1, 2) -> "02室".
    static QString batch(int floorCount, int housesPerFloor, int floor, int house);

    // Drop-down rule (wf_gethousenumber): the numbers of floor `floor`, or of
    // every floor 1..floorCount when `floor` is 0; nothing for an empty floor
    // or an empty/zero house count. A negative floor gives "地下" numbers.
    static QList<FloorHouseNumber> ofFloor(std::optional<int> floor, std::optional<int> housesPerFloor,
                                           std::optional<int> floorCount);

    // wf_gethousenumber proper: appends ofFloor(...) to the house-number list
    // (columns floorno and housenumber), row by row.
    static void fillList(DataView& list, std::optional<int> floor, std::optional<int> housesPerFloor,
                         std::optional<int> floorCount);
};

} // namespace cr::houses
