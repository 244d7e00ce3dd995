#include "resident_teams/query_rows.h"

#include "frame/sqlca.h"

namespace cr::resident_teams {

bool forEachRow(Sqlca& sqlca, const QString& sql, QString* error, const std::function<void(const QSqlQuery&)>& row)
{
    auto q = sqlca.select(sql);
    if (!q) {
        if (error) *error = sqlca.sqlErrText();
        return false;
    }
    while (q->next()) row(*q);
    return true;
}

} // namespace cr::resident_teams
