#include "persons_in_charge/floor_layout.h"

namespace cr::persons_in_charge {

QList<int> FloorLayout::floors() const
{
    QList<int> list;
    for (int f = -downFloors; f <= -1; ++f) list << f;
    for (int f = 1; f <= upFloors; ++f) list << f;
    return list;
}

bool FloorLayout::hasFloor(int floor) const
{
    return (floor >= 1 && floor <= upFloors) || (floor <= -1 && floor >= -downFloors);
}

int FloorLayout::doorIndex(const Door& door) const { return int(doors.indexOf(door)); }

bool FloorLayout::contains(const Cell& cell) const
{
    return cell.first >= 0 && cell.first < doors.size() && hasFloor(cell.second);
}

Cells FloorLayout::allCells() const
{
    Cells cells;
    for (int d = 0; d < doors.size(); ++d) cells.unite(doorCells(d));
    return cells;
}

Cells FloorLayout::doorCells(int door) const
{
    Cells cells;
    if (door < 0 || door >= doors.size()) return cells;
    for (int f : floors()) cells.insert({door, f});
    return cells;
}

Cells FloorLayout::floorCells(int floor) const
{
    Cells cells;
    if (!hasFloor(floor)) return cells;
    for (int d = 0; d < doors.size(); ++d) cells.insert({d, floor});
    return cells;
}

QList<QPair<int, int>> FloorLayout::runs(const Cells& cells, int door) const
{
    QList<QPair<int, int>> result;
    const QList<int> list = floors();
    for (int i = 0; i < list.size(); ++i) {
        if (!cells.contains({door, list[i]})) continue;
        int j = i;
        // There is no floor 0: -1 and 1 stand side by side in the list, yet
        // a run stops between them.
        while (j + 1 < list.size() && cells.contains({door, list[j + 1]}) && (list[j + 1] < 0) == (list[i] < 0)) ++j;
        result << QPair<int, int>(list[i], list[j]);
        i = j;
    }
    return result;
}

QString FloorLayout::doorLabel(int door) const
{
    if (door < 0 || door >= doors.size()) return QString();
    const Door& d = doors[door];
    if (!d.name.isEmpty()) return d.name;
    if (d.number == 0) return QString();
    return QString::number(d.number) + (doorWord.isEmpty() ? defaultDoorWord() : doorWord);
}

QString FloorLayout::floorLabel(int floor)
{
    return floor < 0 ? QStringLiteral("地下%1层").arg(-floor) : QStringLiteral("%1层").arg(floor);
}

QString FloorLayout::floorsLabel(int first, int last)
{
    const int low = qMin(first, last);
    const int high = qMax(first, last);
    if (low == high) return floorLabel(low);
    if (high < 0) return QStringLiteral("地下%1-%2层").arg(-high).arg(-low);
    if (low > 0) return QStringLiteral("%1-%2层").arg(low).arg(high);
    return QStringLiteral("%1至%2").arg(floorLabel(low), floorLabel(high));
}

} // namespace cr::persons_in_charge
