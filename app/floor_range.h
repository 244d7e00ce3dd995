#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace cr::app {

// What the floor-selection dialog needs to know about one building.
struct BuildingFloors {
    qint64 buildingNo = 0;
    QString name;
    int doors = 0;          // 0: the building has no numbered doors (bungalows)
    QString doorWord;       // "单元", "门" ...
    int upFloors = 0;
    int downFloors = 0;

    QList<int> doorNumbers() const;   // 1..doors, or {0} for a building without doors
    QList<int> floorNumbers() const;  // basement floors (-down..-1), then 1..up
    QString doorLabel(int door) const;
};

// A building dean's range: which floors of which doors. It is stored twice,
// as readable text for people ("1单元1-6层，2单元地下1层、3层") and as a code
// for programs ("B12U1F1~6,B12U2F-1,B12U2F3"): one element per run of
// consecutive floors of one door. Runs never cross from basement to ground.
class FloorRange {
public:
    using Cell = QPair<int, int>;   // (door, floor)

    static QString readable(const BuildingFloors& building, const QSet<Cell>& cells);
    static QString code(const BuildingFloors& building, const QSet<Cell>& cells);
    // Reads a readable range back into ticked cells; pieces it cannot read are
    // skipped, cells outside the building are dropped.
    static QSet<Cell> parseReadable(const BuildingFloors& building, const QString& text);

private:
    struct Run {
        int door;
        int from;
        int to;
    };
    static QList<Run> runs(const BuildingFloors& building, const QSet<Cell>& cells);
};

} // namespace cr::app
