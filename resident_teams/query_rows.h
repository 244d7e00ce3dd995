#pragma once

#include <QSqlQuery>
#include <QString>
#include <functional>

namespace cr {
class Sqlca;
}

namespace cr::resident_teams {

// Runs a query in the module dialect and hands every row to `row`; false
// with the database's reason when the query fails.
bool forEachRow(Sqlca& sqlca, const QString& sql, QString* error, const std::function<void(const QSqlQuery&)>& row);

} // namespace cr::resident_teams
