#include "schema/house_duplicates.h"

#include "frame/sqlca.h"

namespace cr::schema {

QString DuplicateHouse::describe() const
{
    QStringList numbers;
    for (qlonglong k : keys) numbers << QString::number(k);
    return QStringLiteral("楼院 %1，单元 %2，房号 %3：房屋编号 %4")
        .arg(building)
        .arg(door)
        .arg(number, numbers.join(QStringLiteral("、")));
}

std::optional<QList<DuplicateHouse>> duplicateHouses(Sqlca& sqlca, QString* error)
{
    auto q = sqlca.selectRaw(QStringLiteral(
        "SELECT h.buildingno, coalesce(h.unitno, 0), h.housenumber, h.houseno FROM tc_ge_houseinfo h "
        "JOIN (SELECT buildingno, coalesce(unitno, 0) AS door, housenumber FROM tc_ge_houseinfo "
        "WHERE buildingno IS NOT NULL AND housenumber IS NOT NULL "
        "GROUP BY buildingno, coalesce(unitno, 0), housenumber HAVING COUNT(*) > 1) d "
        "ON d.buildingno = h.buildingno AND d.door = coalesce(h.unitno, 0) AND d.housenumber = h.housenumber "
        "ORDER BY h.buildingno, coalesce(h.unitno, 0), h.housenumber, h.houseno"));
    if (!q) {
        if (error) *error = sqlca.sqlErrText();
        return std::nullopt;
    }
    QList<DuplicateHouse> found;
    while (q->next()) {
        const qlonglong building = q->value(0).toLongLong();
        const qlonglong door = q->value(1).toLongLong();
        const QString number = q->value(2).toString();
        if (found.isEmpty() || found.last().building != building || found.last().door != door ||
            found.last().number != number)
            found.append({building, door, number, {}});
        found.last().keys << q->value(3).toLongLong();
    }
    return found;
}

QString uniqueHouseIndex()
{
    // The door as an expression: houses without a door number collide with
    // each other and with door 0, as the batch generation counts them.
    return QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_houseinfo_number "
                          "ON tc_ge_houseinfo (buildingno, (coalesce(unitno, 0)), housenumber)");
}

} // namespace cr::schema
