#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QtGlobal>

namespace cr {
class Sqlca;
}

namespace cr::houses {

// The statements the house register reads and writes with. Counts answer 0
// when the statement fails (the register's checks then find nothing, as a
// count that cannot be read always did); the write reports failure.
class HouseQueries {
public:
    explicit HouseQueries(Sqlca& sqlca);

    // The building's door word (prepare3); empty when it has none.
    QString doorWord(const QVariant& building) const;
    // The building's columns the house form shows and builds its lists from
    // (buildingname, address, roomtype and the counts); empty when the
    // building is not stored.
    QVariantMap buildingContext(const QVariant& building) const;
    // Houses with this number in the building's door, the house
    // `exceptHouse` left out when it is not null.
    qlonglong sameNumberCount(const QVariant& building, const QVariant& door, const QString& number,
                              const QVariant& exceptHouse) const;
    // Rental registrations of the house.
    qlonglong rentalCount(const QVariant& house) const;
    // The companion rental registration a house saved as rented gets: not
    // signed, not consigned, issave "2". False when the write failed.
    bool insertCompanionRental(const QVariant& house) const;

private:
    Sqlca& m_sqlca;
};

} // namespace cr::houses
