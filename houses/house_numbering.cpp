#include "houses/house_numbering.h"

#include "frame/dataview.h"

namespace cr::houses {
namespace {

// Characters of the plain decimal form ("-5" has two).
int digits(long long n) { return int(QString::number(n).size()); }

QString padded(long long n, int width) { return QString::number(n).rightJustified(width, QLatin1Char('0')); }

} // namespace

QString HouseNumbering::batch(int floorCount, int housesPerFloor, int floor, int house)
{
    // A one-storey building has no floor digits.
    const QString floorPart = floorCount == 1 ? QString() : padded(floor, digits(floorCount));
    // 1 to 9 houses per floor: always "0" + the house, so 1 gives 01 and 9 gives 09.
    const QString housePart = digits(housesPerFloor) == 1 ? QLatin1Char('0') + QString::number(house)
                                                          : padded(house, digits(housesPerFloor));
    return floorPart + housePart + QStringLiteral("室");
}

QList<FloorHouseNumber> HouseNumbering::ofFloor(std::optional<int> floor, std::optional<int> housesPerFloor,
                                                std::optional<int> floorCount)
{
    QList<FloorHouseNumber> out;
    if (!floor || !housesPerFloor) return out;
    int first = *floor;
    int last = *floor;
    if (*floor == 0) {
        if (!floorCount) return out;
        first = 1;
        last = *floorCount;
    }
    const int width = std::max(2, digits(*housesPerFloor));
    const bool basement = *floor < 0;
    for (int f = first; f <= last; ++f) {
        for (int k = 1; k <= *housesPerFloor; ++k) {
            const QString seq = padded(k, width);
            const QString number = basement ? QStringLiteral("地下") + QString::number(-f) + seq + QStringLiteral("室")
                                            : QString::number(f) + seq + QStringLiteral("室");
            out.append({f, number});
        }
    }
    return out;
}

void HouseNumbering::fillList(DataView& list, std::optional<int> floor, std::optional<int> housesPerFloor,
                              std::optional<int> floorCount)
{
    for (const FloorHouseNumber& n : ofFloor(floor, housesPerFloor, floorCount)) {
        const int row = list.insertRow(0);
        list.setItem(row, QStringLiteral("floorno"), n.floor);
        list.setItem(row, QStringLiteral("housenumber"), n.number);
    }
}

} // namespace cr::houses
