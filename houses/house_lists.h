#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace cr {
class DataView;
}

namespace cr::houses {

// The building's counts the lists are built from (the form's building columns).
struct BuildingCounts {
    std::optional<int> upFloors;
    std::optional<int> downFloors;
    std::optional<int> housesPerFloor;
    std::optional<int> doors;

    static BuildingCounts of(const DataView& form, int row);
};

// A door of the door list.
struct Door {
    QVariant number;    // unitno
    QVariant word;      // unitname
};

// The door, floor and house-number drop-down lists of the house form in a
// multi-storey building. They are built from the building's counts, never
// read from the database, and live only while the form shows the record.
class HouseLists {
public:
    explicit HouseLists(DataView& form);

    // Turns the door, floor and house-number fields into drop-down lists and
    // fills them: doors 1..doors ("2单元"), floors 1..upFloors then the
    // basement floors -1, -2 ..., and the house numbers of `numbersFloor`
    // (0: of every floor).
    void build(const QVariant& building, const QString& doorWord, const BuildingCounts& counts,
               std::optional<int> numbersFloor);
    // The house-number list of another floor; the scroll bar shows from 7
    // numbers on.
    void showNumbersOf(int floor, const BuildingCounts& counts);

    // The door list's door of this name in the building; nullopt when none.
    std::optional<Door> findDoor(const QVariant& building, const QString& doorName) const;
    // The floor the house-number list gives this number; nullopt when the
    // number is not in the list.
    std::optional<QVariant> floorOfNumber(const QString& number) const;

private:
    DataView* list(const QString& column) const;
    void fillDoors(const QVariant& building, const QString& doorWord, std::optional<int> doors);
    void fillFloors(const QVariant& building, const BuildingCounts& counts);
    void fillNumbers(std::optional<int> floor, const BuildingCounts& counts);

    DataView& m_form;
};

} // namespace cr::houses
