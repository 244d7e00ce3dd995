#include "areas_buildings/building_queries.h"

#include "frame/sql_values.h"

namespace cr::areas_buildings {

BuildingQueries::BuildingQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

qlonglong BuildingQueries::firstNumber(const QString& sql, const SqlParams& params) const
{
    return numberOrZero(m_sqlca, sql, params);
}

qlonglong BuildingQueries::uniqueCount(const QString& column, const QString& value,
                                       std::optional<qlonglong> exceptBuilding) const
{
    // A name stored with blanks around it must still count as the same name.
    QString sql = QStringLiteral("SELECT Count(*) FROM TC_GE_Building WHERE trim(%1) = :value").arg(column);
    SqlParams params{{QStringLiteral("value"), value}};
    if (exceptBuilding) {
        sql += QStringLiteral(" AND BuildingNo <> :buildingno");
        params.append({QStringLiteral("buildingno"), *exceptBuilding});
    }
    return firstNumber(sql, params);
}

qlonglong BuildingQueries::nameCount(const QString& name, std::optional<qlonglong> exceptBuilding) const
{
    return uniqueCount(QStringLiteral("BuildingName"), name, exceptBuilding);
}

qlonglong BuildingQueries::addressCount(const QString& address, std::optional<qlonglong> exceptBuilding) const
{
    return uniqueCount(QStringLiteral("Address"), address, exceptBuilding);
}

qlonglong BuildingQueries::storedFloors(qlonglong building) const
{
    return firstNumber(QStringLiteral("SELECT UpfloorNum FROM TC_GE_Building WHERE BuildingNo = :buildingno"),
                 {{QStringLiteral("buildingno"), building}});
}

qlonglong BuildingQueries::storedDoors(qlonglong building) const
{
    return firstNumber(QStringLiteral("SELECT UnitNum FROM TC_GE_Building WHERE BuildingNo = :buildingno"),
                 {{QStringLiteral("buildingno"), building}});
}

qlonglong BuildingQueries::housesOnFloor(qlonglong building, qlonglong floor) const
{
    return firstNumber(QStringLiteral("SELECT COUNT(*) FROM TC_GE_HouseInfo WHERE BuildingNo = :buildingno "
                                "AND FloorNo = :floor"),
                 {{QStringLiteral("buildingno"), building}, {QStringLiteral("floor"), floor}});
}

qlonglong BuildingQueries::housesInDoor(qlonglong building, qlonglong door) const
{
    return firstNumber(QStringLiteral("SELECT COUNT(*) FROM TC_GE_HouseInfo WHERE BuildingNo = :buildingno "
                                "AND UnitNo = :unit"),
                 {{QStringLiteral("buildingno"), building}, {QStringLiteral("unit"), door}});
}

qlonglong BuildingQueries::temporarilySavedHouses(qlonglong building) const
{
    return firstNumber(QStringLiteral("SELECT Count(*) FROM TC_GE_HouseInfo WHERE BuildingNo = :buildingno "
                                "AND IsSave = :issave"),
                 {{QStringLiteral("buildingno"), building}, {QStringLiteral("issave"), QStringLiteral("0")}});
}

} // namespace cr::areas_buildings
