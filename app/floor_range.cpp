#include "app/floor_range.h"

#include <QRegularExpression>
#include <QStringList>

namespace cr::app {

QList<int> BuildingFloors::doorNumbers() const
{
    if (doors <= 0) return {0};
    QList<int> list;
    for (int d = 1; d <= doors; ++d) list << d;
    return list;
}

QList<int> BuildingFloors::floorNumbers() const
{
    QList<int> list;
    for (int f = -downFloors; f <= -1; ++f) list << f;
    for (int f = 1; f <= upFloors; ++f) list << f;
    return list;
}

QString BuildingFloors::doorLabel(int door) const
{
    return door == 0 ? QString() : QString::number(door) + doorWord;
}

QList<FloorRange::Run> FloorRange::runs(const BuildingFloors& building, const QSet<Cell>& cells)
{
    QList<Run> result;
    const QList<int> floors = building.floorNumbers();
    for (int door : building.doorNumbers()) {
        bool open = false;
        for (int i = 0; i < floors.size(); ++i) {
            const int f = floors[i];
            const bool ticked = cells.contains({door, f});
            // A run ends at a gap; there is no floor 0, so basement floors
            // and floors above ground never share a run.
            const bool continues = open && ticked && result.last().to + 1 == f;
            if (continues) {
                result.last().to = f;
            } else if (ticked) {
                result << Run{door, f, f};
                open = true;
            } else {
                open = false;
            }
        }
    }
    return result;
}

QString FloorRange::readable(const BuildingFloors& building, const QSet<Cell>& cells)
{
    QStringList doors;
    int currentDoor = -1;
    QStringList pieces;
    auto flush = [&]() {
        if (currentDoor >= 0 && !pieces.isEmpty())
            doors << building.doorLabel(currentDoor) + pieces.join(QStringLiteral("、"));
        pieces.clear();
    };
    for (const Run& r : runs(building, cells)) {
        if (r.door != currentDoor) {
            flush();
            currentDoor = r.door;
        }
        if (r.from < 0) {
            // Basement floors read from the nearest to the deepest: 地下1-2层.
            const int nearest = -r.to;
            const int deepest = -r.from;
            pieces << (nearest == deepest ? QStringLiteral("地下%1层").arg(nearest)
                                          : QStringLiteral("地下%1-%2层").arg(nearest).arg(deepest));
        } else {
            pieces << (r.from == r.to ? QStringLiteral("%1层").arg(r.from)
                                      : QStringLiteral("%1-%2层").arg(r.from).arg(r.to));
        }
    }
    flush();
    return doors.join(QStringLiteral("，"));
}

QString FloorRange::code(const BuildingFloors& building, const QSet<Cell>& cells)
{
    QStringList elements;
    for (const Run& r : runs(building, cells)) {
        QString e = QStringLiteral("B%1U%2F%3").arg(building.buildingNo).arg(r.door).arg(r.from);
        if (r.to != r.from) e += QStringLiteral("~%1").arg(r.to);
        elements << e;
    }
    return elements.join(QLatin1Char(','));
}

QSet<FloorRange::Cell> FloorRange::parseReadable(const BuildingFloors& building, const QString& text)
{
    QSet<Cell> cells;
    const QList<int> doors = building.doorNumbers();
    const QList<int> floors = building.floorNumbers();
    static const QRegularExpression floorPiece(QStringLiteral("^(地下)?(\\d+)(?:-(\\d+))?层$"));
    const QRegularExpression doorPrefix(
        QStringLiteral("^(\\d+)%1").arg(QRegularExpression::escape(building.doorWord)));
    for (QString piece : text.split(QStringLiteral("，"), Qt::SkipEmptyParts)) {
        piece = piece.trimmed();
        int door = 0;
        if (building.doors > 0) {
            const auto m = doorPrefix.match(piece);
            if (!m.hasMatch() || building.doorWord.isEmpty()) continue;
            door = m.captured(1).toInt();
            piece = piece.mid(m.capturedLength());
        }
        if (!doors.contains(door)) continue;
        for (const QString& token : piece.split(QStringLiteral("、"), Qt::SkipEmptyParts)) {
            const auto m = floorPiece.match(token.trimmed());
            if (!m.hasMatch()) continue;
            const int a = m.captured(2).toInt();
            const int b = m.captured(3).isEmpty() ? a : m.captured(3).toInt();
            const int sign = m.captured(1).isEmpty() ? 1 : -1;
            for (int f = qMin(a, b); f <= qMax(a, b); ++f)
                if (floors.contains(sign * f)) cells.insert({door, sign * f});
        }
    }
    return cells;
}

} // namespace cr::app
