#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::areas_buildings {

// The statements the building register reads tc_ge_building and
// tc_ge_houseinfo with. Counts answer 0 when the statement finds nothing or
// fails, stored counts 0 when the building is not stored (or has none):
// a failed read never blocks the clerk.
class BuildingQueries {
public:
    explicit BuildingQueries(Sqlca& sqlca);

    // Buildings with this common name / address, over the whole table, the
    // building `exceptBuilding` left out when given. Stored values compare
    // without their surrounding blanks, like the typed value.
    qlonglong nameCount(const QString& name, std::optional<qlonglong> exceptBuilding) const;
    qlonglong addressCount(const QString& address, std::optional<qlonglong> exceptBuilding) const;

    qlonglong storedFloors(qlonglong building) const;
    qlonglong storedDoors(qlonglong building) const;
    qlonglong housesOnFloor(qlonglong building, qlonglong floor) const;
    qlonglong housesInDoor(qlonglong building, qlonglong door) const;
    qlonglong temporarilySavedHouses(qlonglong building) const;

private:
    qlonglong firstNumber(const QString& sql, const QList<QPair<QString, QVariant>>& params) const;
    qlonglong uniqueCount(const QString& column, const QString& value,
                          std::optional<qlonglong> exceptBuilding) const;

    Sqlca& m_sqlca;
};

} // namespace cr::areas_buildings
