#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <utility>

namespace cr {
class Sqlca;
}

namespace cr::resident_teams {

// A SELECT in the module dialect, rendered for the engine and prepared once
// on first use, then executed again with new values as often as needed: a
// scope of 600 doors parses and plans its statement once, not 600 times.
// It reads through the connection without touching sqlCode(), as the count
// functions examine no status.
class PreparedSelect {
public:
    PreparedSelect(Sqlca& sqlca, QString moduleSql) : m_sqlca(sqlca), m_sql(std::move(moduleSql)) {}

    // Binds the values by name, runs the statement and positions it on the
    // first row. nullptr when it fails or returns no row.
    QSqlQuery* firstRow(const QList<std::pair<QString, QVariant>>& values);

private:
    Sqlca& m_sqlca;
    QString m_sql;
    QSqlQuery m_query;
    bool m_prepared = false;
    bool m_broken = false;
};

} // namespace cr::resident_teams
