#include "persons_in_charge/same_person_count.h"

#include "frame/sql_values.h"

namespace cr::persons_in_charge {

qlonglong samePersonCount(Sqlca& sqlca, const SamePerson& where, const QVariant& master, const QString& person,
                          std::optional<QVariant> except)
{
    // Names of the registry's own tables and columns; the values are bound.
    QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :master AND PersonNo = :personno")
                      .arg(where.table, where.masterColumn);
    SqlParams params{{QStringLiteral("master"), master}, {QStringLiteral("personno"), person}};
    if (except) {
        sql += QStringLiteral(" AND %1 <> :self").arg(where.keyColumn);
        params.append({QStringLiteral("self"), *except});
    }
    return numberOrZero(sqlca, sql, params);
}

} // namespace cr::persons_in_charge
