#include "persons_in_charge/regional_manager_queries.h"

#include "frame/sql_values.h"

namespace cr::persons_in_charge {

qlonglong sameManagerCount(Sqlca& sqlca, const QVariant& area, const QString& person, std::optional<QVariant> except)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM TC_GE_RegionalManager WHERE RegionalNo = :regionalno "
                                 "AND PersonNo = :personno");
    SqlParams params{{QStringLiteral("regionalno"), area}, {QStringLiteral("personno"), person}};
    if (except) {
        sql += QStringLiteral(" AND OrderNo <> :orderno");
        params.append({QStringLiteral("orderno"), *except});
    }
    return numberOrZero(sqlca, sql, params);
}

} // namespace cr::persons_in_charge
