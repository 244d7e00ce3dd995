#include "rentals_sanctions/rental_queries.h"

#include "frame/expr/values.h"
#include "frame/sql_values.h"
#include "frame/sqlca.h"
#include "rentals_sanctions/rental_view_parts.h"

#include <QSqlRecord>

namespace cr::rentals_sanctions {
namespace {
const QString kHouse = QStringLiteral("houseno");

// A count that leaves one row out by its key, when there is one.
qlonglong countExcept(Sqlca& sqlca, QString sql, SqlParams params, const QString& keyColumn, const QVariant& except)
{
    if (!except.isNull()) {
        sql += QStringLiteral(" AND %1 <> :cr_except").arg(keyColumn);
        params.append({QStringLiteral("cr_except"), except});
    }
    return numberOrZero(sqlca, sql, params);
}
} // namespace

RentalQueries::RentalQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

QDate RentalQueries::registrationStart(const QVariant& house) const
{
    if (house.isNull()) return {};
    const QVariant start = m_sqlca.selectValue(
        QStringLiteral("SELECT StartRentDate FROM TC_GE_RentHouseReg WHERE HouseNo = :houseno"), {{kHouse, house}});
    return expr::values::toDate(start);
}

qlonglong RentalQueries::registrationCount(const QVariant& house, const QVariant& exceptRegistration) const
{
    return countExcept(m_sqlca, QStringLiteral("SELECT COUNT(*) FROM TC_GE_RentHouseReg WHERE HouseNo = :houseno"),
                       {{kHouse, house}}, QStringLiteral("OrderNo"), exceptRegistration);
}

QVariantMap RentalQueries::registrationOf(const QVariant& house) const
{
    QVariantMap found;
    if (house.isNull()) return found;
    auto q = m_sqlca.select(
        QStringLiteral("SELECT orderno, houseuse FROM TC_GE_RentHouseReg WHERE HouseNo = :houseno"), {{kHouse, house}});
    if (!q || !q->next()) return found;
    found.insert(QStringLiteral("orderno"), q->value(0));
    found.insert(QStringLiteral("houseuse"), q->value(1));
    return found;
}

qlonglong RentalQueries::tenantCount(const QVariant& rental, const QString& personNo, const QVariant& exceptTenant) const
{
    return countExcept(m_sqlca,
                       QStringLiteral("SELECT COUNT(*) FROM TC_GE_RentRegistry WHERE OrderNo = :orderno "
                                      "AND PersonNo = :personno"),
                       {{QStringLiteral("orderno"), rental}, {QStringLiteral("personno"), personNo}},
                       QStringLiteral("RentRegistryNo"), exceptTenant);
}

QVariantMap RentalQueries::houseContext(const QVariant& house) const
{
    QVariantMap context;
    if (house.isNull()) return context;
    auto q = m_sqlca.select(
        QStringLiteral("SELECT tc_ge_building.address AS address, %1, tc_ge_houseinfo.floorno AS floorno, "
                       "tc_ge_houseinfo.housenumber AS housenumber, tc_ge_houseinfo.housearea AS housearea, "
                       "tc_ge_houseinfo.buildingmodel AS buildingmodel, tc_ge_houseinfo.droittype AS droittype, "
                       "tc_ge_houseinfo.houserownername AS houserownername, "
                       "tc_ge_houseinfo.contactphone AS hostcontactphone, tc_ge_houseinfo.buildingno AS buildingno, "
                       "tc_ge_houseinfo.unitno AS unitno, tc_ge_houseinfo.unitname AS unitname "
                       "FROM tc_ge_houseinfo LEFT OUTER JOIN tc_ge_building "
                       "ON tc_ge_houseinfo.buildingno = tc_ge_building.buildingno "
                       "WHERE tc_ge_houseinfo.houseno = :houseno")
            .arg(doorNameSql()),
        {{kHouse, house}});
    if (!q || !q->next()) return context;
    const QSqlRecord record = q->record();
    for (int i = 0; i < record.count(); ++i) context.insert(record.fieldName(i).toLower(), q->value(i));
    return context;
}

} // namespace cr::rentals_sanctions
