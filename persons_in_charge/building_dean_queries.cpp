#include "persons_in_charge/building_dean_queries.h"

#include "frame/record_codes.h"
#include "frame/sql_values.h"

namespace cr::persons_in_charge {

BuildingDeanQueries::BuildingDeanQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

qlonglong BuildingDeanQueries::rangeRows(const QVariant& dean, const QVariant& building) const
{
    return numberOrZero(m_sqlca,
                        QStringLiteral("SELECT COUNT(*) FROM TC_GE_BuildingManage WHERE BuildingManagerNo = "
                                       ":buildingmanagerno AND BuildingNo = :buildingno"),
                        {{QStringLiteral("buildingmanagerno"), dean}, {QStringLiteral("buildingno"), building}});
}

bool BuildingDeanQueries::insertRange(const QVariant& dean, const QVariant& building, const QVariant& name,
                                      const QVariant& code) const
{
    return m_sqlca.execute(
        QStringLiteral("INSERT INTO TC_GE_BuildingManage (CommNo, BuildingManagerNo, BuildingNo, ScopeName, "
                       "ScopeCode, IsSave) VALUES (:commno, :buildingmanagerno, :buildingno, :scopename, :scopecode, "
                       ":issave)"),
        {{QStringLiteral("commno"), m_sqlca.commNo()},
         {QStringLiteral("buildingmanagerno"), dean},
         {QStringLiteral("buildingno"), building},
         {QStringLiteral("scopename"), name},
         {QStringLiteral("scopecode"), code},
         {QStringLiteral("issave"), codes::issave::companion}});
}

bool BuildingDeanQueries::updateRange(const QVariant& dean, const QVariant& building, const QVariant& name,
                                      const QVariant& code) const
{
    return m_sqlca.execute(QStringLiteral("UPDATE TC_GE_BuildingManage SET ScopeName = :scopename, "
                                          "ScopeCode = :scopecode WHERE BuildingManagerNo = :buildingmanagerno "
                                          "AND BuildingNo = :buildingno"),
                           {{QStringLiteral("scopename"), name},
                            {QStringLiteral("scopecode"), code},
                            {QStringLiteral("buildingmanagerno"), dean},
                            {QStringLiteral("buildingno"), building}});
}

} // namespace cr::persons_in_charge
