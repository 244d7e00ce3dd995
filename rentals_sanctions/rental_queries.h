#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QtGlobal>

namespace cr {
class Sqlca;
}

namespace cr::rentals_sanctions {

// The statements the rental, tenant and sanction windows read with. A read
// that fails answers as if nothing was found: no registration start, a
// count of 0 (the checks then pass, as a failed read always let them).
class RentalQueries {
public:
    explicit RentalQueries(Sqlca& sqlca);

    // Start of the house's rental registration; invalid when the house has
    // none or it has no start.
    QDate registrationStart(const QVariant& house) const;
    // Other registrations of the house than `exceptRegistration` (null: all).
    qlonglong registrationCount(const QVariant& house, const QVariant& exceptRegistration) const;
    // The house's registration: its orderno and houseuse (empty when none).
    QVariantMap registrationOf(const QVariant& house) const;
    // Tenant rows of the rental record `rental` for the person, the row
    // `exceptTenant` left out when it is not null.
    qlonglong tenantCount(const QVariant& rental, const QString& personNo, const QVariant& exceptTenant) const;
    // What the rental forms show of a house, by the forms' column names
    // (address, newunitname, floorno, housenumber, housearea, buildingmodel,
    // droittype, houserownername, hostcontactphone ...); empty when the
    // house is not stored.
    QVariantMap houseContext(const QVariant& house) const;

private:
    Sqlca& m_sqlca;
};

} // namespace cr::rentals_sanctions
