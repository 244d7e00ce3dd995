#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace cr::persons_in_charge {

// One entrance of a building as a dean's range names it: a numbered door
// (unit) of a multi-storey building, a gate of a bungalow compound (the door
// name its houses carry), or the block: the whole building when it has
// neither.
struct Door {
    int number = 0;   // 1, 2 ... a numbered door; 0 otherwise
    QString name;     // a gate; empty otherwise

    bool isBlock() const { return number == 0 && name.isEmpty(); }
    bool operator==(const Door&) const = default;
};

// A cell of the doors x floors grid: (index into FloorLayout::doors, floor).
using Cell = QPair<int, int>;
using Cells = QSet<Cell>;

// The doors and floors of one building, as the floor dialog shows them and
// the coverage page lays them out. Floors are numbered as the houses number
// them: 1, 2 ... above ground, -1, -2 ... below; there is no floor 0.
struct FloorLayout {
    qlonglong buildingNo = 0;
    QString name;                             // the building's common name
    QString doorWord = defaultDoorWord();     // "单元" or "门"
    QList<Door> doors;                        // never empty: the block when nothing else
    int upFloors = 0;
    int downFloors = 0;

    static QString defaultDoorWord() { return QStringLiteral("单元"); }

    QList<int> floors() const;                // deepest basement first, then 1 .. upFloors
    bool hasFloor(int floor) const;
    int doorIndex(const Door& door) const;    // -1 when the building has no such door
    bool hasBlockOnly() const { return doors.size() == 1 && doors.first().isBlock(); }
    bool contains(const Cell& cell) const;
    Cells allCells() const;
    Cells doorCells(int door) const;          // every floor of one door
    Cells floorCells(int floor) const;        // one floor of every door

    // The ticked floors of one door as runs (first, last) of floors next to
    // each other, lowest first. A run stops between basement and ground.
    QList<QPair<int, int>> runs(const Cells& cells, int door) const;

    QString doorLabel(int door) const;        // "1单元", "东门"; "" for the block
    static QString floorLabel(int floor);     // "3层", "地下1层"
    // Floors first to last in words: "1-6层", "5层", "地下1-2层" (nearest
    // basement first), "地下1层至3层".
    static QString floorsLabel(int first, int last);
};

} // namespace cr::persons_in_charge
