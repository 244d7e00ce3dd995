#include "houses/house_queries.h"

#include "frame/record_codes.h"
#include "frame/sql_values.h"

namespace cr::houses {
namespace {
const QString kBuilding = QStringLiteral("buildingno");
const QString kHouse = QStringLiteral("houseno");

// The building columns the house form carries, as its query names them.
const char* const kContextColumns[] = {"buildingname", "address", "roomtype", "upfloornum",
                                       "downfloornum", "floorhouesnum", "unitnum"};
} // namespace

HouseQueries::HouseQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

QString HouseQueries::doorWord(const QVariant& building) const
{
    const QVariant word = m_sqlca.selectValue(
        QStringLiteral("Select prepare3 From tc_ge_building Where buildingno = :buildingno"), {{kBuilding, building}});
    return word.isNull() ? QString() : word.toString();
}

QVariantMap HouseQueries::buildingContext(const QVariant& building) const
{
    QStringList columns;
    for (const char* c : kContextColumns) columns << QLatin1String(c);
    QVariantMap context;
    auto q = m_sqlca.select(QStringLiteral("SELECT %1 FROM tc_ge_building WHERE buildingno = :buildingno")
                                .arg(columns.join(QStringLiteral(", "))),
                            {{kBuilding, building}});
    if (!q || !q->next()) return context;
    for (int i = 0; i < columns.size(); ++i) context.insert(columns[i], q->value(i));
    return context;
}

qlonglong HouseQueries::sameNumberCount(const QVariant& building, const QVariant& door, const QString& number,
                                        const QVariant& exceptHouse) const
{
    QString sql = QStringLiteral("Select Count ( *) From tc_ge_houseinfo Where buildingno = :buildingno "
                                 "and unitno = :unitno and housenumber = :housenumber");
    SqlParams params = {{kBuilding, building}, {QStringLiteral("unitno"), door}, {QStringLiteral("housenumber"), number}};
    if (!exceptHouse.isNull()) {
        sql += QStringLiteral(" and houseno <> :houseno");
        params.append({kHouse, exceptHouse});
    }
    return numberOrZero(m_sqlca, sql, params);
}

qlonglong HouseQueries::rentalCount(const QVariant& house) const
{
    return numberOrZero(m_sqlca, QStringLiteral("SELECT COUNT ( *) FROM TC_GE_RentHouseReg WHERE HouseNo = :houseno"),
                        {{kHouse, house}});
}

bool HouseQueries::insertCompanionRental(const QVariant& house) const
{
    return m_sqlca.execute(
        QStringLiteral("INSERT INTO TC_GE_RentHouseReg ( CommNo , HouseNo , issigndutybook , isconsignrent , IsSave ) "
                       "VALUES ( :commno , :houseno , :signed , :consigned , :issave )"),
        {{QStringLiteral("commno"), m_sqlca.commNo()},
         {kHouse, house},
         {QStringLiteral("signed"), codes::yesno::no},
         {QStringLiteral("consigned"), codes::yesno::no},
         {QStringLiteral("issave"), codes::issave::companion}});
}

} // namespace cr::houses
