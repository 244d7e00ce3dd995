#include "schema/demo/house_numbering.h"

namespace cr::demo {
namespace {

QString padded(int value, qsizetype width)
{
    return QStringLiteral("%1").arg(value, int(width), 10, QLatin1Char('0'));
}

QString housePart(int housesPerFloor, int house)
{
    const QString count = QString::number(housesPerFloor);
    if (count.size() == 1) return QLatin1Char('0') + QString::number(house);
    return padded(house, count.size());
}

} // namespace

QString HouseNumbering::batch(int floorCount, int housesPerFloor, int floor, int house)
{
    const QString floorPart = floorCount == 1 ? QString() : padded(floor, QString::number(floorCount).size());
    return floorPart + housePart(housesPerFloor, house) + QStringLiteral("室");
}

QString HouseNumbering::basement(int levelBelow, int housesPerFloor, int house)
{
    return QStringLiteral("地下") + QString::number(levelBelow) + housePart(housesPerFloor, house)
           + QStringLiteral("室");
}

} // namespace cr::demo
